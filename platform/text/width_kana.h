#pragma once
// Width and kana mapping of CP932 text, with the effects of the Japanese
// locale's LCMapString flags, table-driven and identical in both builds.
#include <optional>
#include <string>
#include <string_view>

namespace trovex::text {

enum class WidthKana {
  FullWidthKatakana,  // LCMAP_FULLWIDTH | LCMAP_KATAKANA
  HalfWidthKatakana,  // LCMAP_HALFWIDTH | LCMAP_KATAKANA
  Hiragana,           // LCMAP_HIRAGANA
  Katakana,           // LCMAP_KATAKANA
};

// Maps UTF-16 text. Half-width kana followed by a voicing mark becomes one
// full-width voiced kana; a voiced kana becomes two half-width units.
std::u16string MapWidthKanaUtf16(std::u16string_view units, WidthKana kind);

// Maps CP932 text. Returns nullopt when the text is not valid CP932. A result CP932
// has no exact form for is written in the code page's best-fit form as the Japanese
// locale does (￥ in half width becomes the yen byte 0x5C); a result with no form at
// all (a lone voicing mark becomes the combining U+3099 in full width) keeps the
// character's original bytes.
std::optional<std::string> MapWidthKanaCp932(std::string_view text, WidthKana kind);

}  // namespace trovex::text
