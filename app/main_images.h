#pragma once
// The main window's pictures, drawn in code (16 x 16).
#include "platform/ui/image_list.h"

namespace trovex::app {

// ImageList1: 0 and 1 the two faces of the blinking view button, 2 and 3 the
// hidden-folders menu item unchecked and checked, 4 back, 5 up, 6 view switch,
// 7 drive, 8 folder, 9 select all, 10 open folder, 11 invert selection.
void FillImageList1(ui::ImageList& images);

// Glyphs of the button row, in this order.
// kGlyphSavePage: the binary view's button that keeps the found position.
enum ButtonGlyph {
  kGlyphStart,
  kGlyphLog,
  kGlyphHelp,
  kGlyphVersion,
  kGlyphExtend,
  kGlyphSavePage
};
void FillButtonGlyphs(ui::ImageList& images);

}  // namespace trovex::app
