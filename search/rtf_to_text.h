#pragma once
// Crude reduction of RTF markup to plain text: control words and whatever follows
// a brace are dropped up to the next space, hex escapes become the bytes they encode,
// Unicode escapes \uN their character in CP932 ("?" where it has none) with the
// fallback after them (\ucN characters, default 1) dropped.
#include <string>
#include <string_view>

namespace trovex::search {

// Reduces `rtf` (read up to its first zero byte by the caller). The result ends
// before its first zero byte.
std::string RtfToText(std::string_view rtf);

}  // namespace trovex::search
