#pragma once
// A font of a PDF page as far as its text goes: how its strings split into
// character codes, the Unicode text of each code and how far each code moves the
// pen. Simple fonts go through /Encoding and /Differences; composite (Type0)
// fonts through /ToUnicode, their encoding's code space and, for Japanese fonts
// without a /ToUnicode map, the Adobe-Japan1 CIDs.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "search/pdf_cmap.h"
#include "search/pdf_glyph_names.h"
#include "search/pdf_object.h"

namespace trovex::search::pdf {

class Document;

struct ShownText {
  std::u16string text;
  double advance = 0;  // the glyphs' widths in 1/1000 of the font size
  int codes = 0;
  int spaces = 0;  // single-byte codes 32, which word spacing widens
};

class Font {
 public:
  static std::shared_ptr<const Font> Load(Document& document, const Object& font);
  void Show(std::string_view bytes, ShownText& out) const;
  bool Vertical() const { return vertical_; }

 private:
  enum class Codes { Single, CodeSpace, Two, Cp932, Utf16, EucJp, Jis };
  void LoadSimple(Document& document, const Object& font);
  void LoadComposite(Document& document, const Object& font);
  void Append(std::uint32_t code, std::size_t length, std::string_view bytes,
              std::u16string& out) const;
  double Width(std::uint32_t code, std::size_t length) const;

  Codes codes_ = Codes::Single;
  bool vertical_ = false;
  bool japan1_ = false;
  bool unicodeCodes_ = false;  // UCS-2 or UTF-16 codes of a Uni* CMap
  bool hasToUnicode_ = false;
  bool hasEncodingMap_ = false;
  CMap toUnicode_;
  CMap encoding_;  // an embedded CMap of a composite font
  char32_t simple_[256] = {};
  double simpleWidths_[256] = {};
  double widthScale_ = 1;  // Type3 glyph space to 1/1000
  double defaultWidth_ = 1000;
  struct WidthRange {
    std::uint32_t first, last;
    double width;
  };
  std::vector<WidthRange> cidWidths_;
};

}  // namespace trovex::search::pdf
