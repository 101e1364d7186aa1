#include "platform/ui/font.h"

#include <utility>
#include <vector>

#include "platform/ui/wide.h"

namespace trovex::ui {

HFONT FontHandle(const FontSpec& spec) {
  static std::vector<std::pair<FontSpec, HFONT>> cache;
  FontSpec key = spec;
  key.color = clNone;
  for (const auto& [known, font] : cache) {
    if (known == key) return font;
  }
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(spec.size, pixelsPerInch, 72);
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.italic ? TRUE : FALSE;
  lf.lfUnderline = spec.underline ? TRUE : FALSE;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Widen(spec.name);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  cache.emplace_back(key, font);
  return font;
}

}  // namespace trovex::ui
