#pragma once
// Canvas: drawing on a device context with CP932 texts, for owner-drawn controls.
// The context's state is restored when the canvas goes.
#include <windows.h>

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
  void FillRect(const RECT& rect);
  void SetFont(const FontSpec& font);
  void SetFontColor(Color color);
  // Text is drawn without filling its background when transparent.
  void SetTransparent(bool transparent);
  int TextWidth(std::string_view text);
  int TextHeight(std::string_view text);
  void TextOut(int x, int y, std::string_view text);
  void Draw(int x, int y, const ImageList& images, int index, bool enabled = true);

 private:
  SIZE TextExtent(std::string_view text);

  HDC dc_;
  int saved_;
  Color brushColor_ = clWhite;
};

}  // namespace trovex::ui
