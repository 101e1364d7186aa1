#pragma once
// UTF-8 <-> UTF-16 for the places that meet UTF-8 (Linux file names, the console).
#include <optional>
#include <string>
#include <string_view>

namespace trovex::text {

// Strict decode: nullopt on malformed UTF-8 (overlong forms, bad continuation bytes,
// surrogates encoded directly, values above U+10FFFF).
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);

// Encodes UTF-16; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

}  // namespace trovex::text
