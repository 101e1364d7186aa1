#pragma once
// The integer notation that number fields and byte lists accept: leading spaces,
// then either an optional sign and decimal digits (32-bit signed range), or a
// hexadecimal number introduced by "$", "x", "X", "0x" or "0X" of at most 32 bits
// ("0xFFFFFFFF" reads as -1). Nothing may follow the digits, not even a space.
#include <cstdint>
#include <optional>
#include <string_view>

namespace trovex::search {

// The value of `text`, or nullopt when it is not an integer in that notation.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// The value of `text`, or `fallback` when it is not an integer.
std::int32_t ParseInt32Or(std::string_view text, std::int32_t fallback);

}  // namespace trovex::search
