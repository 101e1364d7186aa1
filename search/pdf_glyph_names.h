#pragma once
// The character codes of PDF's simple fonts: the built-in encodings and the glyph
// names that /Differences gives codes.
#include <string_view>

namespace trovex::search::pdf {

enum class BaseEncoding { Standard, WinAnsi, MacRoman };

// The character of `code` in the encoding; 0 when the code has none.
char16_t EncodedChar(BaseEncoding encoding, unsigned char code);

// The character a glyph name stands for: the common names of Latin text and the
// "uniXXXX" and "uXXXX" forms; 0 for a name not known.
char32_t GlyphNameChar(std::string_view name);

}  // namespace trovex::search::pdf
