#include "platform/ui/font.h"

#include <vector>

#include "platform/ui/wide.h"

namespace trovex::ui {

HFONT FontHandle(const FontInfo& wanted, int dpi) {
  struct Entry {
    FontInfo font;
    int dpi;
    HFONT handle;
  };
  static std::vector<Entry> cache;
  FontInfo key = wanted;
  key.color = clNone;
  for (const Entry& entry : cache) {
    if (entry.dpi == dpi && entry.font == key) return entry.handle;
  }
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(wanted.size, dpi, 72);
  lf.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = wanted.italic ? TRUE : FALSE;
  lf.lfUnderline = wanted.underline ? TRUE : FALSE;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Widen(wanted.name);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  cache.push_back(Entry{key, dpi, font});
  return font;
}

SIZE MeasureText(const FontInfo& font, std::string_view text, int dpi) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, FontHandle(font, dpi));
  const std::wstring wide = Widen(text);
  SIZE size{0, 0};
  GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  size.cy = metrics.tmHeight;
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  // Rounded up: a box sized by the measure must not cut the text's last pixel off.
  const auto design = [dpi](LONG pixels) {
    return static_cast<LONG>((pixels * kDesignDpi + dpi - 1) / dpi);
  };
  return SIZE{design(size.cx), design(size.cy)};
}

}  // namespace trovex::ui
