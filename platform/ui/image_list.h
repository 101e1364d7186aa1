#pragma once
// ImageList: a list of equally sized icons, drawn by index. The size is given in
// design units and held in pixels at `dpi` (the screen's by default), the size a
// Bitmap of the same design size and DPI has; Width and Height are those pixels.
#include <windows.h>
#include <commctrl.h>

#include "platform/ui/dpi.h"

namespace trovex::ui {

class ImageList {
 public:
  explicit ImageList(int width = 16, int height = 16, int dpi = SystemDpi());
  ~ImageList();
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  HIMAGELIST Handle() const { return list_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;
  // Adds a bitmap of one or more images side by side; pixels of `transparent` are
  // not drawn. Returns the index of the first image.
  int AddMasked(HBITMAP bitmap, COLORREF transparent);
  // Draws image `index` with its top-left corner at (x, y); greyed when disabled.
  void Draw(HDC dc, int index, int x, int y, bool enabled = true) const;

 private:
  HIMAGELIST list_;
  int width_;
  int height_;
};

}  // namespace trovex::ui
