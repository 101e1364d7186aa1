#pragma once
// Bitmap: a picture in memory, made like the screen's pixels and drawn through a
// Canvas. The bitmap is free of any device context between drawings, so that an
// image list can take it.
#include <windows.h>

#include <functional>

#include "platform/ui/canvas.h"

namespace trovex::ui {

class Bitmap {
 public:
  Bitmap(int width, int height);
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  HBITMAP Handle() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Runs `paint` on a canvas over the bitmap.
  void Draw(const std::function<void(Canvas&)>& paint);

 private:
  HBITMAP bitmap_;
  int width_;
  int height_;
};

}  // namespace trovex::ui
