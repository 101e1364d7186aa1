#include "platform/ui/canvas.h"

#include <string>

#include "platform/ui/image_list.h"
#include "platform/ui/wide.h"

namespace trovex::ui {

Canvas::Canvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}

Canvas::~Canvas() { RestoreDC(dc_, saved_); }

void Canvas::FillRect(const RECT& rect) {
  HBRUSH brush = CreateSolidBrush(ColorToRgb(brushColor_));
  ::FillRect(dc_, &rect, brush);
  DeleteObject(brush);
  SetBkColor(dc_, ColorToRgb(brushColor_));
}

void Canvas::SetFont(const FontSpec& font) {
  SelectObject(dc_, FontHandle(font));
  SetFontColor(font.color);
}

void Canvas::SetFontColor(Color color) { SetTextColor(dc_, ColorToRgb(color)); }

void Canvas::SetTransparent(bool transparent) { SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE); }

SIZE Canvas::TextExtent(std::string_view text) {
  const std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

int Canvas::TextWidth(std::string_view text) { return TextExtent(text).cx; }

int Canvas::TextHeight(std::string_view text) { return TextExtent(text).cy; }

void Canvas::TextOut(int x, int y, std::string_view text) {
  const std::wstring wide = Widen(text);
  ::TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void Canvas::Draw(int x, int y, const ImageList& images, int index, bool enabled) {
  images.Draw(dc_, index, x, y, enabled);
}

}  // namespace trovex::ui
