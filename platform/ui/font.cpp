#include "platform/ui/font.h"

#include <utility>
#include <vector>

#include "platform/ui/wide.h"

namespace trovex::ui {

HFONT FontHandle(const FontInfo& wanted) {
  static std::vector<std::pair<FontInfo, HFONT>> cache;
  FontInfo key = wanted;
  key.color = clNone;
  for (const auto& [known, font] : cache) {
    if (known == key) return font;
  }
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(wanted.size, pixelsPerInch, 72);
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
  cache.emplace_back(key, font);
  return font;
}

SIZE MeasureText(const FontInfo& font, std::string_view text) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, FontHandle(font));
  const std::wstring wide = Widen(text);
  SIZE size{0, 0};
  GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  size.cy = metrics.tmHeight;
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size;
}

}  // namespace trovex::ui
