#pragma once
// Locale lower-casing of CP932 text as the Japanese Windows locale does it.
#include <string>
#include <string_view>

namespace trovex::text {

// Lower-case of one UTF-16 unit for the characters CP932 holds (A-Z, full-width
// Latin, Greek, Cyrillic capitals); every other unit is returned unchanged.
char16_t LowerCaseUnit(char16_t unit);

// Lowers single-byte A-Z and the double-byte capitals; a trail byte is never
// touched, whatever its value.
std::string AnsiLowerCase(std::string_view text);

}  // namespace trovex::text
