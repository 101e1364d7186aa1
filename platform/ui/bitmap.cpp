#include "platform/ui/bitmap.h"

#include <stdexcept>

namespace trovex::ui {

Bitmap::Bitmap(int width, int height) : width_(width), height_(height) {
  HDC screen = GetDC(nullptr);
  bitmap_ = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  if (bitmap_ == nullptr) throw std::runtime_error("CreateCompatibleBitmap failed");
}

Bitmap::~Bitmap() { DeleteObject(bitmap_); }

void Bitmap::Draw(const std::function<void(Canvas&)>& paint) {
  // The context lets go of the bitmap also when `paint` throws.
  struct MemoryDc {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old;
    explicit MemoryDc(HBITMAP bitmap) : old(SelectObject(dc, bitmap)) {}
    ~MemoryDc() {
      SelectObject(dc, old);
      DeleteDC(dc);
    }
  } memory(bitmap_);
  Canvas canvas(memory.dc);
  paint(canvas);
}

}  // namespace trovex::ui
