#pragma once
// Fonts are described by value and created once per description. Every font is
// created with the Shift-JIS character set so that Japanese text has glyphs even
// where the face itself is missing and a replacement is picked.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/ui/color.h"
#include "platform/ui/dpi.h"

namespace trovex::ui {

struct FontInfo {
  std::string name = "ＭＳ Ｐゴシック";
  int size = 9;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color color = clWindowText;

  bool operator==(const FontInfo&) const = default;
};

// The GDI font for a description (colour is not part of it) drawn at `dpi`; owned by
// the cache and valid for the life of the process.
HFONT FontHandle(const FontInfo& wanted, int dpi);

// The size `text` takes in the font (the height is the font's line height), in
// design units: measured at `dpi` and rounded up, so that a control sized by it
// holds the text at that DPI. For laying out panes before they have a window of
// their own; a window passes its control's Dpi().
SIZE MeasureText(const FontInfo& font, std::string_view text, int dpi = SystemDpi());

}  // namespace trovex::ui
