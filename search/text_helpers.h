#pragma once
// Text helpers of the search content, over the portable CP932 services of
// platform/text. Texts are CP932 byte strings.
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/width_kana.h"

namespace trovex::search {

// Replaces every `separator` that stands as a character of its own (never the
// trail byte of a double-byte character) by `replacement`, then trims leading
// and trailing bytes with codes up to 0x20.
std::string ReplaceSeparator(std::string_view text, char separator, std::string_view replacement);

// `text` without its leading and trailing bytes with codes up to 0x20 (controls
// and spaces; never a trail byte, which is 0x40 or above).
std::string_view TrimControlsAndSpaces(std::string_view text);

// Width/kana mapping of CP932 text; returns the text unchanged when it cannot be
// mapped (not valid CP932).
std::string MapWidthKana(std::string_view text, text::WidthKana kind);

// The UTF-16LE bytes of CP932 text (the byte length is twice the number of code
// units), or nullopt when the text holds an invalid sequence.
std::optional<std::string> ToWide(std::string_view text);

// Bytes written as a byte list: "0x" and two upper-case hex digits per byte,
// separated by single commas ("AB" gives "0x41,0x42"; nothing gives "").
std::string FormatByteList(std::string_view bytes);

// The UTF-16LE form of the text written as a byte list with a leading comma, so
// that even one byte parses as a number: "ab" gives ",0x61,0x00,0x62,0x00".
// nullopt when the text has no UTF-16 form.
std::optional<std::string> ToUtf16ByteList(std::string_view text);

}  // namespace trovex::search
