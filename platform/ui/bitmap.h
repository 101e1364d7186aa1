#pragma once
// Bitmap: a picture in memory, made like the screen's pixels and drawn through a
// Canvas. The bitmap is free of any device context between drawings, so that an
// image list can take it. Its size and its drawing are in design units: it holds
// them scaled to `dpi` (the screen's by default), and the canvas maps the design
// coordinates onto its pixels, so a picture drawn in code stays sharp at any DPI.
#include <windows.h>

#include <functional>

#include "platform/ui/canvas.h"

namespace trovex::ui {

class Bitmap {
 public:
  Bitmap(int width, int height, int dpi = SystemDpi());
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  HBITMAP Handle() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The size in pixels.
  int PixelWidth() const { return ScaleToDpi(width_, dpi_); }
  int PixelHeight() const { return ScaleToDpi(height_, dpi_); }
  // Runs `paint` on a canvas over the bitmap.
  void Draw(const std::function<void(Canvas&)>& paint);

 private:
  HBITMAP bitmap_;
  int width_;
  int height_;
  int dpi_;
};

}  // namespace trovex::ui
