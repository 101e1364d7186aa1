#include "platform/ui/canvas.h"

#include <commctrl.h>

#include <string>

#include "platform/ui/image_list.h"
#include "platform/ui/wide.h"

namespace trovex::ui {

Canvas::Canvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}

Canvas::~Canvas() {
  // Restoring the context deselects the pen and brush, which can then go.
  RestoreDC(dc_, saved_);
  if (pen_ != nullptr) DeleteObject(pen_);
  if (shapeBrush_ != nullptr) DeleteObject(shapeBrush_);
  if (pictureFont_ != nullptr) DeleteObject(pictureFont_);
}

void Canvas::SetPen(Color color, int width) {
  HPEN pen = CreatePen(PS_SOLID, width, ColorToRgb(color));
  SelectObject(dc_, pen);
  if (pen_ != nullptr) DeleteObject(pen_);
  pen_ = pen;
}

void Canvas::PrepareShape() {
  if (brushColor_ == clNone) {
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    return;
  }
  if (shapeBrush_ == nullptr || shapeBrushColor_ != brushColor_) {
    HBRUSH brush = CreateSolidBrush(ColorToRgb(brushColor_));
    SelectObject(dc_, brush);
    if (shapeBrush_ != nullptr) DeleteObject(shapeBrush_);
    shapeBrush_ = brush;
    shapeBrushColor_ = brushColor_;
  } else {
    SelectObject(dc_, shapeBrush_);
  }
}

void Canvas::FillRect(const RECT& rect) {
  if (brushColor_ == clNone) return;
  HBRUSH brush = CreateSolidBrush(ColorToRgb(brushColor_));
  ::FillRect(dc_, &rect, brush);
  DeleteObject(brush);
  SetBkColor(dc_, ColorToRgb(brushColor_));
}

void Canvas::SetFont(const FontInfo& font) {
  // At the DPI of the window drawn on; a picture in memory is drawn at the screen's.
  HWND window = WindowFromDC(dc_);
  const int dpi = window != nullptr ? WindowDpi(window) : GetDeviceCaps(dc_, LOGPIXELSY);
  SelectObject(dc_, FontHandle(font, dpi > 0 ? dpi : kDesignDpi));
  SetFontColor(font.color);
}

void Canvas::SetPictureFont(std::string_view face, int pixelHeight, bool bold) {
  const std::wstring name = Widen(face);
  HFONT font = CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, name.c_str());
  SelectObject(dc_, font);
  if (pictureFont_ != nullptr) DeleteObject(pictureFont_);
  pictureFont_ = font;
}

void Canvas::SetFontColor(Color color) { SetTextColor(dc_, ColorToRgb(color)); }

void Canvas::SetTransparent(bool transparent) {
  SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE);
}

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

int Canvas::DrawText(const RECT& rect, std::string_view text, UINT flags) {
  std::wstring wide = Widen(text);
  RECT area = rect;
  return ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &area, flags);
}

void Canvas::Draw(int x, int y, const ImageList& images, int index, bool enabled) {
  images.Draw(dc_, index, x, y, enabled);
}

void Canvas::Draw(int x, int y, HIMAGELIST images, int index) {
  ImageList_Draw(images, index, dc_, x, y, ILD_TRANSPARENT);
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
  PrepareShape();
  ::Rectangle(dc_, left, top, right, bottom);
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
  PrepareShape();
  ::Ellipse(dc_, left, top, right, bottom);
}

void Canvas::Polygon(std::span<const POINT> points) {
  PrepareShape();
  ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void Canvas::Polyline(std::span<const POINT> points) {
  PrepareShape();
  ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void Canvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void Canvas::LineTo(int x, int y) {
  PrepareShape();
  ::LineTo(dc_, x, y);
}

}  // namespace trovex::ui
