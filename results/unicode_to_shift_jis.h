#pragma once
// Decoding of UTF-16LE and UTF-8 file bytes into CP932 text for display, as the
// result window's content column shows hits in Word documents and converted
// searches. Lenient: a character CP932 lacks becomes one space, nothing fails.
#include <string>
#include <string_view>

namespace trovex::results {

// Code units up to the first zero unit, a leading byte-order mark (U+FEFF or the
// swapped U+FFFE) skipped; each unit becomes its CP932 bytes or one space.
std::string WideToShiftJis(std::u16string_view units);

// UTF-16LE file bytes taken as code units (an odd last byte pairs with zero).
std::string WideBytesToShiftJis(std::string_view bytes);

// Bytes up to the first zero byte, a leading EF BB BF skipped, decoded without
// checking continuation bytes: 110xxxxx starts two bytes, 11110xxx four (one
// character CP932 cannot hold), any other byte of 0x80 or more three. A sequence
// cut off by the end of the bytes is dropped.
std::string Utf8ToShiftJis(std::string_view bytes);

}  // namespace trovex::results
