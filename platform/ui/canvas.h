#pragma once
// Canvas: drawing on a device context with CP932 texts, for owner-drawn controls
// and pictures made in code. The context's state is restored when the canvas goes.
// Shapes are outlined with the pen and filled with the brush; a brush of clNone
// leaves them hollow.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <span>
#include <string_view>

#include "platform/ui/color.h"
#include "platform/ui/font.h"

namespace trovex::ui {

class ImageList;

class Canvas {
 public:
  explicit Canvas(HDC dc);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Handle() const { return dc_; }
  void SetBrushColor(Color color) { brushColor_ = color; }
  Color BrushColor() const { return brushColor_; }
  // A solid pen; until the first call the context's own pen draws.
  void SetPen(Color color, int width = 1);
  void FillRect(const RECT& rect);
  void SetFont(const FontInfo& font);
  void SetFontColor(Color color);
  // A Western font `pixelHeight` pixels high drawn without smoothing, for letters
  // on pictures made in code, which must look the same on every system.
  void SetPictureFont(std::string_view face, int pixelHeight, bool bold);
  // Text is drawn without filling its background when transparent.
  void SetTransparent(bool transparent);
  int TextWidth(std::string_view text);
  int TextHeight(std::string_view text);
  void TextOut(int x, int y, std::string_view text);
  // Text in `rect` with DT_* flags; returns the height of the text drawn.
  int DrawText(const RECT& rect, std::string_view text, UINT flags);
  void Draw(int x, int y, const ImageList& images, int index, bool enabled = true);
  // An image of a list the program does not own (the system's icons).
  void Draw(int x, int y, HIMAGELIST images, int index);

  // Shapes; right and bottom are outside, as in GDI.
  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void Polygon(std::span<const POINT> points);
  void Polygon(std::initializer_list<POINT> points) {
    Polygon(std::span(points.begin(), points.size()));
  }
  void Polyline(std::span<const POINT> points);
  void Polyline(std::initializer_list<POINT> points) {
    Polyline(std::span(points.begin(), points.size()));
  }
  void MoveTo(int x, int y);
  // A line from the current position to (x, y), which becomes the current position.
  void LineTo(int x, int y);

 private:
  SIZE TextExtent(std::string_view text);
  // Selects the pen and the brush the next shape is drawn with.
  void PrepareShape();

  HDC dc_;
  int saved_;
  Color brushColor_ = clWhite;
  HPEN pen_ = nullptr;
  HBRUSH shapeBrush_ = nullptr;
  Color shapeBrushColor_ = clNone;
  HFONT pictureFont_ = nullptr;
};

}  // namespace trovex::ui
