#pragma once
// A CP932 text as the bytes of another encoding, written as a byte list that the
// search box accepts ("0x82,0xA0"), so that text stored in UTF-8 or UTF-16 can be
// found. The conversion dialog and trovex-find --bytes-of both use it.
#include <optional>
#include <string>
#include <string_view>

namespace trovex::viewer {

enum class ByteEncoding { ShiftJis, Utf8, Utf16LittleEndian, Utf16BigEndian };

// The bytes of `text` (CP932) in `encoding`. Shift-JIS: the text's own bytes. The
// Unicode forms decode the text first and are nullopt when it is not valid CP932.
// UTF-8 encodes every UTF-16 unit on its own (CP932 has no surrogate pairs).
std::optional<std::string> EncodeText(std::string_view text, ByteEncoding encoding);

// EncodeText written as a byte list ("あ" in UTF-8 gives "0xE3,0x81,0x82"; an
// empty text gives an empty list).
std::optional<std::string> ByteListOf(std::string_view text, ByteEncoding encoding);

// "sjis", "utf8", "utf16le", "utf16be" (the names trovex-find takes).
std::optional<ByteEncoding> ByteEncodingNamed(std::string_view name);

// Whether the search box already holds a converted byte list, so that the
// conversion button has nothing to offer: the text starts with "0x" and its first
// "," is its fifth byte, or it is four bytes long ("0x41"). ",0x41" and "0x4142"
// do not count.
bool LooksLikeByteList(std::string_view text);

}  // namespace trovex::viewer
