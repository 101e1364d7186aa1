#include "platform/ui/bitmap.h"

#include <stdexcept>

namespace trovex::ui {

Bitmap::Bitmap(int width, int height, int dpi) : width_(width), height_(height), dpi_(dpi) {
  HDC screen = GetDC(nullptr);
  bitmap_ = CreateCompatibleBitmap(screen, PixelWidth(), PixelHeight());
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
  if (dpi_ != kDesignDpi) {
    SetMapMode(memory.dc, MM_ANISOTROPIC);
    SetWindowExtEx(memory.dc, kDesignDpi, kDesignDpi, nullptr);
    SetViewportExtEx(memory.dc, dpi_, dpi_, nullptr);
  }
  Canvas canvas(memory.dc);
  paint(canvas);
}

}  // namespace trovex::ui
