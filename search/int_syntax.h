#pragma once
// The integer notation that number fields, byte lists and offsets accept: leading
// spaces, then either an optional sign and decimal digits, or a hexadecimal number
// introduced by "$", "x", "X", "0x" or "0X" whose bits are taken as they stand
// (32-bit: "0xFFFFFFFF" reads as -1). Nothing may follow the digits, not even a space.
#include <cstdint>
#include <optional>
#include <string_view>

namespace trovex::search {

// The value of `text` in the 32-bit signed range (hexadecimal: at most 32 bits),
// or nullopt when it is not an integer in that notation.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// The value of `text`, or `fallback` when it is not an integer.
std::int32_t ParseInt32Or(std::string_view text, std::int32_t fallback);

// The same notation over 64 bits, for file offsets (files over 2 GiB).
std::optional<std::int64_t> ParseInt64(std::string_view text);
std::int64_t ParseInt64Or(std::string_view text, std::int64_t fallback);

}  // namespace trovex::search
