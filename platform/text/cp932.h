#pragma once
// CP932 (Shift-JIS as Windows defines it) <-> UTF-16, table-driven and identical in
// both builds. The tables are generated from the system's code page 932 by
// scripts/gen-text-tables.sh.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trovex::text {

// True for a byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsCp932LeadByte(unsigned char byte);

// Bytes taken by the character at `pos`: 2 for a lead byte with a byte after it, else 1.
// Walking text with this never treats a trail byte as a character of its own.
std::size_t Cp932CharLength(std::string_view text, std::size_t pos);

// Decodes the character at `pos` (one or two bytes, see Cp932CharLength). Returns
// nullopt for an unassigned code or a lead byte without a valid trail byte.
std::optional<char16_t> DecodeCp932Char(std::string_view text, std::size_t pos);

// Decodes CP932 text. Returns nullopt when the text holds an invalid sequence
// (an unassigned code, or a lead byte without a valid trail byte).
std::optional<std::u16string> DecodeCp932(std::string_view bytes);

// Decodes CP932 text character by character for showing it: a byte that starts no
// valid character (a lead byte cut off at the end, or one without a valid trail
// byte) becomes one U+FFFD; the byte after it is decoded on its own, since it may
// be a character of its own. Text that DecodeCp932 accepts decodes the same.
std::u16string DecodeCp932Lenient(std::string_view bytes);

// Encodes one UTF-16 code unit. Returns the number of bytes written to `out`
// (1 or 2), or 0 when CP932 has no exact mapping for it (no best-fit guesses).
int EncodeCp932Unit(char16_t unit, char out[2]);

// Encodes UTF-16 text; each unit with no mapping becomes `replacement` and is
// counted in `*unmapped` when given.
std::string EncodeCp932(std::u16string_view units, char replacement = ' ',
                        std::size_t* unmapped = nullptr);

}  // namespace trovex::text
