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

}  // namespace trovex::ui
