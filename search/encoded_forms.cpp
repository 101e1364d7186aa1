#include "search/encoded_forms.h"

#include <algorithm>

#include "platform/text/cp932.h"
#include "platform/text/euc_jp.h"
#include "platform/text/utf8.h"
#include "platform/text/width_kana.h"

namespace trovex::search {
namespace {

using text::WidthKana;

// The text split into characters, a surrogate pair kept together.
std::vector<std::u16string> Characters(std::u16string_view units) {
  std::vector<std::u16string> characters;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size();
    characters.emplace_back(units.substr(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  return characters;
}

bool IsFullWidthLetter(char16_t c) {
  return (c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ');
}
bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

std::optional<std::vector<CharSlot>> Encode(const std::vector<std::vector<std::u16string>>& chars,
                                            TextEncoding encoding) {
  std::vector<CharSlot> slots;
  for (const auto& variants : chars) {
    CharSlot slot;
    for (const std::u16string& v : variants) {
      std::string bytes;
      bool written = true;
      for (const std::u16string& c : Characters(v)) {
        const auto encoded = EncodeChar(c, encoding);
        if (!encoded)
          written = false;
        else
          bytes += *encoded;
      }
      if (written && std::find(slot.alternatives.begin(), slot.alternatives.end(), bytes) ==
                         slot.alternatives.end())
        slot.alternatives.push_back(std::move(bytes));
    }
    // The character itself has no form here: neither has the text.
    if (slot.alternatives.empty()) return std::nullopt;
    slots.push_back(std::move(slot));
  }
  return slots;
}

}  // namespace

std::vector<std::u16string> FoldedVariants(const std::u16string& c, bool caseSensitive) {
  std::vector<std::u16string> variants{c};
  const auto add = [&](std::u16string v) {
    if (!v.empty() && std::find(variants.begin(), variants.end(), v) == variants.end())
      variants.push_back(std::move(v));
  };
  add(text::MapWidthKanaUtf16(c, WidthKana::Hiragana));
  add(text::MapWidthKanaUtf16(c, WidthKana::HalfWidthKatakana));
  if (!caseSensitive && c.size() == 1 && (IsFullWidthLetter(c[0]) || IsAsciiLetter(c[0]))) {
    for (std::size_t i = 0, n = variants.size(); i < n; ++i) {
      const char16_t v = variants[i][0];
      const bool upper = (v >= u'A' && v <= u'Z') || (v >= u'Ａ' && v <= u'Ｚ');
      if (IsFullWidthLetter(v) || IsAsciiLetter(v))
        add(std::u16string(1, static_cast<char16_t>(upper ? v + 0x20 : v - 0x20)));
    }
  }
  return variants;
}

std::optional<std::string> EncodeChar(std::u16string_view character, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::ShiftJis:
      return std::nullopt;
    case TextEncoding::Utf8: {
      if (character.size() == 1 && character[0] >= 0xD800 && character[0] <= 0xDFFF)
        return std::nullopt;
      return text::Utf16ToUtf8(character);
    }
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
      std::string bytes;
      for (char16_t unit : character) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        if (encoding == TextEncoding::Utf16Le)
          bytes += {low, high};
        else
          bytes += {high, low};
      }
      return bytes;
    }
    case TextEncoding::EucJp: {
      if (character.size() != 1) return std::nullopt;
      char cp932[2];
      const int n = text::EncodeCp932Unit(character[0], cp932);
      if (n == 0) return std::nullopt;
      char euc[2];
      const int m =
          text::Cp932CharToEucJp(std::string_view(cp932, static_cast<std::size_t>(n)), 0, euc);
      if (m == 0) return std::nullopt;
      return std::string(euc, static_cast<std::size_t>(m));
    }
  }
  return std::nullopt;
}

std::vector<EncodedForm> BuildEncodedForms(std::string_view text, EncodingSet encodings,
                                           bool folded, bool caseSensitive) {
  std::vector<EncodedForm> forms;
  const auto units = text::DecodeCp932(text);
  if (!units || units->empty()) return forms;
  const std::vector<std::u16string> typed = Characters(*units);
  // Folding compares with the full-width katakana form, where a half-width kana and
  // its voicing mark are one character, as the Shift-JIS forms do.
  std::vector<std::vector<std::u16string>> foldedChars;
  if (folded) {
    const std::u16string full = text::MapWidthKanaUtf16(*units, WidthKana::FullWidthKatakana);
    for (const std::u16string& c : Characters(full))
      foldedChars.push_back(FoldedVariants(c, caseSensitive));
  }
  for (TextEncoding encoding : kAllTextEncodings) {
    if (encoding == TextEncoding::ShiftJis || !encodings.Has(encoding)) continue;
    EncodedForm form;
    form.encoding = encoding;
    bool written = true;
    form.ends.reserve(typed.size());
    for (const auto& c : typed) {
      const auto bytes = EncodeChar(c, encoding);
      if (!bytes) {
        written = false;
        break;
      }
      form.bytes += *bytes;
      form.ends.push_back(static_cast<std::uint32_t>(form.bytes.size()));
    }
    if (!written) continue;
    if (folded) {
      auto foldedSlots = Encode(foldedChars, encoding);
      if (!foldedSlots) continue;
      form.foldedSlots = std::move(*foldedSlots);
    }
    forms.push_back(std::move(form));
  }
  return forms;
}

}  // namespace trovex::search
