#include "search/pdf_font.h"

#include "platform/text/cp932.h"
#include "platform/text/euc_jp.h"
#include "search/adobe_japan1.h"
#include "search/pdf_document.h"

namespace trovex::search::pdf {
namespace {

void AppendChar(char32_t ch, std::u16string& out) {
  if (ch == 0) return;
  if (ch >= 0x10000) {
    ch -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (ch >> 10));
    out += static_cast<char16_t>(0xDC00 + (ch & 0x3FF));
  } else {
    out += static_cast<char16_t>(ch);
  }
}

double NumberOf(const Object* object, double fallback) {
  return object && object->IsNumber() ? object->Number() : fallback;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

std::shared_ptr<const Font> Font::Load(Document& document, const Object& font) {
  auto loaded = std::make_shared<Font>();
  const Object* subtype = document.Lookup(font, "Subtype");
  if (subtype && subtype->IsName("Type0"))
    loaded->LoadComposite(document, font);
  else
    loaded->LoadSimple(document, font);
  if (const Object* map = font.Get("ToUnicode")) {
    std::string program;
    if (document.StreamDataOf(*map, program) == DecodeResult::Ok) {
      loaded->toUnicode_.Parse(program);
      loaded->hasToUnicode_ = !loaded->toUnicode_.Empty();
    }
  }
  return loaded;
}

void Font::LoadSimple(Document& document, const Object& font) {
  codes_ = Codes::Single;
  const Object* subtype = document.Lookup(font, "Subtype");
  const Object* descriptor = document.Lookup(font, "FontDescriptor");
  const Object* flags = descriptor ? document.Lookup(*descriptor, "Flags") : nullptr;
  const bool symbolic =
      flags && flags->type == Object::Type::Int && (flags->integer & 4) && !(flags->integer & 32);
  BaseEncoding base =
      subtype && subtype->IsName("TrueType") ? BaseEncoding::WinAnsi : BaseEncoding::Standard;
  const Object* encoding = document.Lookup(font, "Encoding");
  const Object* differences = nullptr;
  const Object* baseName = encoding;
  if (encoding && encoding->IsDict()) {
    baseName = document.Lookup(*encoding, "BaseEncoding");
    differences = document.Lookup(*encoding, "Differences");
  }
  if (baseName && baseName->IsName("WinAnsiEncoding")) base = BaseEncoding::WinAnsi;
  if (baseName && baseName->IsName("MacRomanEncoding")) base = BaseEncoding::MacRoman;
  if (baseName && baseName->IsName("StandardEncoding")) base = BaseEncoding::Standard;
  for (int code = 0; code < 256; ++code)
    simple_[code] = EncodedChar(base, static_cast<unsigned char>(code));
  // A symbolic font without an encoding uses its own codes; most are Latin text.
  if (symbolic && !encoding)
    for (int code = 0x20; code < 0x7F; ++code) simple_[code] = static_cast<char32_t>(code);
  if (differences && differences->type == Object::Type::Array) {
    std::int64_t code = 0;
    for (const Object& item : differences->items) {
      if (item.type == Object::Type::Int) {
        code = item.integer;
      } else if (item.type == Object::Type::Name) {
        if (code >= 0 && code < 256) simple_[code] = GlyphNameChar(item.text);
        ++code;
      }
    }
  }
  const double missing = descriptor ? NumberOf(document.Lookup(*descriptor, "MissingWidth"), 0) : 0;
  for (double& width : simpleWidths_) width = missing > 0 ? missing : 500;
  if (subtype && subtype->IsName("Type3")) {
    const Object* matrix = document.Lookup(font, "FontMatrix");
    if (matrix && matrix->type == Object::Type::Array && !matrix->items.empty())
      widthScale_ = NumberOf(&matrix->items[0], 0.001) * 1000;
  }
  const Object* widths = document.Lookup(font, "Widths");
  const std::int64_t first = [&] {
    const Object* f = document.Lookup(font, "FirstChar");
    return f && f->type == Object::Type::Int ? f->integer : 0;
  }();
  if (widths && widths->type == Object::Type::Array)
    for (std::size_t i = 0; i < widths->items.size(); ++i) {
      const std::int64_t code = first + static_cast<std::int64_t>(i);
      if (code >= 0 && code < 256)
        simpleWidths_[code] = NumberOf(&document.Resolve(widths->items[i]), 500) * widthScale_;
    }
}

void Font::LoadComposite(Document& document, const Object& font) {
  codes_ = Codes::Two;
  const Object* encoding = font.Get("Encoding");
  const Object& resolved = encoding ? document.Resolve(*encoding) : Object();
  if (resolved.type == Object::Type::Name) {
    const std::string_view name = resolved.text;
    vertical_ = name.size() >= 2 && name.substr(name.size() - 2) == "-V";
    if (name == "V") vertical_ = true;
    if (Contains(name, "RKSJ")) {
      codes_ = Codes::Cp932;
    } else if (Contains(name, "UCS2")) {
      codes_ = Codes::Two;
    } else if (Contains(name, "UTF16")) {
      codes_ = Codes::Utf16;
    } else if (Contains(name, "EUC")) {
      codes_ = Codes::EucJp;
    } else if (name == "H" || name == "V") {
      codes_ = Codes::Jis;
    }
    // The Japanese predefined CMaps name CIDs of Adobe-Japan1.
    japan1_ = codes_ != Codes::Two || Contains(name, "UniJIS");
    unicodeCodes_ = Contains(name, "UCS2") || Contains(name, "UTF16");
  } else if (resolved.type == Object::Type::Stream) {
    std::string program;
    if (document.StreamDataOf(*encoding, program) == DecodeResult::Ok) {
      encoding_.Parse(program);
      hasEncodingMap_ = encoding_.HasCodeSpace();
      if (hasEncodingMap_) codes_ = Codes::CodeSpace;
      const Object* wmode = document.Lookup(resolved, "WMode");
      vertical_ = wmode && wmode->type == Object::Type::Int && wmode->integer == 1;
    }
  }
  const Object* descendants = document.Lookup(font, "DescendantFonts");
  const Object* cidFont = nullptr;
  if (descendants && descendants->type == Object::Type::Array && !descendants->items.empty())
    cidFont = &document.Resolve(descendants->items[0]);
  else if (descendants && descendants->IsDict())
    cidFont = descendants;
  if (!cidFont || !cidFont->IsDict()) return;
  if (const Object* info = document.Lookup(*cidFont, "CIDSystemInfo"))
    if (const Object* ordering = document.Lookup(*info, "Ordering"))
      if (ordering->text == "Japan1") japan1_ = true;
  defaultWidth_ = NumberOf(document.Lookup(*cidFont, "DW"), 1000);
  const Object* widths = document.Lookup(*cidFont, "W");
  if (!widths || widths->type != Object::Type::Array) return;
  const auto& items = widths->items;
  for (std::size_t i = 0; i + 1 < items.size() && cidWidths_.size() < 100000;) {
    const Object& first = document.Resolve(items[i]);
    const Object& next = document.Resolve(items[i + 1]);
    if (first.type != Object::Type::Int || first.integer < 0) break;
    const auto start = static_cast<std::uint32_t>(first.integer);
    if (next.type == Object::Type::Array) {
      for (std::size_t k = 0; k < next.items.size(); ++k)
        cidWidths_.push_back({start + static_cast<std::uint32_t>(k),
                              start + static_cast<std::uint32_t>(k),
                              NumberOf(&document.Resolve(next.items[k]), defaultWidth_)});
      i += 2;
    } else if (next.type == Object::Type::Int && i + 2 < items.size()) {
      if (next.integer >= first.integer)
        cidWidths_.push_back({start, static_cast<std::uint32_t>(next.integer),
                              NumberOf(&document.Resolve(items[i + 2]), defaultWidth_)});
      i += 3;
    } else {
      break;
    }
  }
}

double Font::Width(std::uint32_t code, std::size_t length) const {
  if (codes_ == Codes::Single) return simpleWidths_[code & 0xFF];
  if (vertical_) return 1000;  // the pen moves down by one em
  std::int64_t cid = -1;
  if (codes_ == Codes::Two && !unicodeCodes_) cid = code;
  if (codes_ == Codes::CodeSpace) cid = encoding_.Cid(code, length);
  if (cid >= 0)
    for (const WidthRange& range : cidWidths_)
      if (static_cast<std::uint32_t>(cid) >= range.first &&
          static_cast<std::uint32_t>(cid) <= range.last)
        return range.width;
  // Without a CID: a one-byte code of a Japanese encoding is a half-width character.
  return length == 1 && cid < 0 ? defaultWidth_ / 2 : defaultWidth_;
}

void Font::Append(std::uint32_t code, std::size_t length, std::string_view bytes,
                  std::u16string& out) const {
  if (hasToUnicode_) {
    if (const std::u16string* text = toUnicode_.Text(code, length)) {
      out += *text;
      return;
    }
  }
  switch (codes_) {
    case Codes::Single:
      AppendChar(simple_[code & 0xFF], out);
      return;
    case Codes::Two:
      if (unicodeCodes_)
        AppendChar(code, out);
      else if (japan1_)
        AppendChar(AdobeJapan1Char(code), out);
      return;
    case Codes::CodeSpace: {
      const std::int64_t cid = encoding_.Cid(code, length);
      if (cid >= 0 && japan1_) AppendChar(AdobeJapan1Char(static_cast<std::uint32_t>(cid)), out);
      return;
    }
    case Codes::Cp932:
      if (const auto ch = text::DecodeCp932Char(bytes, 0)) AppendChar(*ch, out);
      return;
    case Codes::Utf16:
      if (length == 4) {
        out += static_cast<char16_t>(code >> 16);
        out += static_cast<char16_t>(code & 0xFFFF);
      } else {
        AppendChar(code, out);
      }
      return;
    case Codes::EucJp:
    case Codes::Jis: {
      std::string euc(bytes);
      if (codes_ == Codes::Jis)
        for (char& c : euc) c = static_cast<char>(c | 0x80);
      const std::string cp932 = text::EucJpToCp932Lenient(euc);
      if (const auto ch = text::DecodeCp932Char(cp932, 0)) AppendChar(*ch, out);
      return;
    }
  }
}

void Font::Show(std::string_view bytes, ShownText& out) const {
  for (std::size_t pos = 0; pos < bytes.size();) {
    std::size_t length = 1;
    switch (codes_) {
      case Codes::Single:
        break;
      case Codes::Two:
      case Codes::Jis:
        length = 2;
        break;
      case Codes::CodeSpace:
        length = encoding_.CodeLength(bytes, pos, 2);
        break;
      case Codes::Cp932:
        length = text::Cp932CharLength(bytes, pos);
        break;
      case Codes::Utf16: {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        length = lead >= 0xD8 && lead <= 0xDB ? 4 : 2;
        break;
      }
      case Codes::EucJp:
        length = static_cast<unsigned char>(bytes[pos]) >= 0x80 ? 2 : 1;
        break;
    }
    length = std::min(length, bytes.size() - pos);
    const std::string_view piece = bytes.substr(pos, length);
    std::uint32_t code = 0;
    for (const char c : piece) code = (code << 8) | static_cast<unsigned char>(c);
    Append(code, length, piece, out.text);
    out.advance += Width(code, length);
    ++out.codes;
    if (length == 1 && code == 32) ++out.spaces;
    pos += length;
  }
}

}  // namespace trovex::search::pdf
