#include "app/main_images.h"

#include <functional>
#include <initializer_list>

#include "platform/ui/bitmap.h"
#include "platform/ui/canvas.h"

namespace trovex::app {
namespace {

using ui::Canvas;
using ui::Color;

// Colours as COLORREF values (0x00BBGGRR).
constexpr Color Rgb(int red, int green, int blue) {
  return static_cast<Color>(red | (green << 8) | (blue << 16));
}

constexpr Color kKey = Rgb(255, 0, 255);
constexpr int kSize = 16;

// Draws one picture on a transparent square and adds it.
void AddPicture(ui::ImageList& images, const std::function<void(Canvas&)>& paint) {
  ui::Bitmap bitmap(kSize, kSize);
  bitmap.Draw([&](Canvas& canvas) {
    canvas.SetBrushColor(kKey);
    canvas.FillRect(RECT{0, 0, kSize, kSize});
    paint(canvas);
  });
  images.AddMasked(bitmap.Handle(), kKey);
}

// Sets the pen and the fill (ui::clNone: hollow) of the next shapes.
void Style(Canvas& canvas, Color line, Color fill, int width) {
  canvas.SetPen(line, width);
  canvas.SetBrushColor(fill);
}

void Lines(Canvas& canvas, Color color, int width, std::initializer_list<POINT> points) {
  Style(canvas, color, ui::clNone, width);
  canvas.Polyline(points);
}

void Letter(Canvas& canvas, std::string_view letter, Color color) {
  canvas.SetPictureFont("Arial", 13, true);
  canvas.SetTransparent(true);
  canvas.SetFontColor(color);
  canvas.DrawText(RECT{0, 0, kSize, kSize}, letter, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Page(Canvas& canvas, Color paper) {
  Style(canvas, Rgb(64, 64, 64), paper, 1);
  canvas.Rectangle(3, 1, 14, 16);
}

void Folder(Canvas& canvas, Color color) {
  Style(canvas, Rgb(128, 96, 0), color, 1);
  canvas.Polygon({{1, 4}, {6, 4}, {7, 6}, {14, 6}, {14, 14}, {1, 14}, {1, 4}});
}

void Magnifier(Canvas& canvas) {
  Lines(canvas, Rgb(128, 64, 0), 3, {{10, 10}, {14, 14}});
  Style(canvas, Rgb(0, 64, 160), Rgb(210, 230, 255), 2);
  canvas.Ellipse(1, 1, 12, 12);
}

void Badge(Canvas& canvas, Color color, std::string_view letter) {
  Style(canvas, color, color, 1);
  canvas.Ellipse(0, 0, 16, 16);
  Letter(canvas, letter, Rgb(255, 255, 255));
}

void Arrow(Canvas& canvas, Color color, std::initializer_list<POINT> head) {
  Style(canvas, color, color, 1);
  canvas.Polygon(head);
}

void TextLines(Canvas& canvas, Color color, int left, int right) {
  for (int y : {5, 8, 11}) Lines(canvas, color, 1, {{left, y}, {right, y}});
}

}  // namespace

void FillImageList1(ui::ImageList& images) {
  // 0, 1: the view button at rest and lit.
  AddPicture(images, [](Canvas& canvas) {
    Page(canvas, Rgb(255, 255, 255));
    TextLines(canvas, Rgb(0, 64, 160), 5, 12);
  });
  AddPicture(images, [](Canvas& canvas) {
    Page(canvas, Rgb(255, 220, 0));
    TextLines(canvas, Rgb(200, 0, 0), 5, 12);
  });
  // 2, 3: hidden folders not shown / shown.
  AddPicture(images, [](Canvas& canvas) { Folder(canvas, Rgb(200, 200, 200)); });
  AddPicture(images, [](Canvas& canvas) {
    Folder(canvas, Rgb(255, 220, 96));
    Lines(canvas, Rgb(0, 140, 0), 2, {{4, 9}, {7, 12}, {13, 5}});
  });
  // 4 back, 5 up, 6 view switch.
  AddPicture(images, [](Canvas& canvas) {
    Arrow(canvas, Rgb(0, 128, 0), {{1, 8}, {7, 2}, {7, 5}, {14, 5}, {14, 11}, {7, 11}, {7, 14}});
  });
  AddPicture(images, [](Canvas& canvas) {
    Folder(canvas, Rgb(255, 220, 96));
    Arrow(canvas, Rgb(0, 128, 0), {{8, 1}, {13, 6}, {10, 6}, {10, 12}, {6, 12}, {6, 6}, {3, 6}});
  });
  AddPicture(images, [](Canvas& canvas) {
    for (int y : {2, 9}) {
      for (int x : {2, 9}) {
        Style(canvas, Rgb(0, 64, 160), Rgb(210, 230, 255), 1);
        canvas.Rectangle(x, y, x + 6, y + 6);
      }
    }
  });
  // 7 drive, 8 folder.
  AddPicture(images, [](Canvas& canvas) {
    Style(canvas, Rgb(64, 64, 64), Rgb(200, 200, 200), 1);
    canvas.Rectangle(1, 5, 15, 12);
    Style(canvas, Rgb(0, 160, 0), Rgb(0, 200, 0), 1);
    canvas.Rectangle(11, 8, 13, 10);
  });
  AddPicture(images, [](Canvas& canvas) { Folder(canvas, Rgb(255, 220, 96)); });
  // 9 select all, 10 open folder, 11 invert selection.
  AddPicture(images, [](Canvas& canvas) {
    Style(canvas, Rgb(0, 64, 160), Rgb(160, 200, 255), 1);
    canvas.Rectangle(1, 1, 15, 15);
    TextLines(canvas, Rgb(0, 64, 160), 4, 12);
  });
  AddPicture(images, [](Canvas& canvas) {
    Folder(canvas, Rgb(230, 190, 64));
    Style(canvas, Rgb(128, 96, 0), Rgb(255, 230, 128), 1);
    canvas.Polygon({{3, 8}, {15, 8}, {13, 14}, {1, 14}, {3, 8}});
  });
  AddPicture(images, [](Canvas& canvas) {
    Style(canvas, Rgb(0, 64, 160), Rgb(255, 255, 255), 1);
    canvas.Rectangle(1, 1, 15, 15);
    Style(canvas, Rgb(0, 64, 160), Rgb(0, 64, 160), 1);
    canvas.Polygon({{1, 1}, {14, 1}, {1, 14}});
  });
}

void FillButtonGlyphs(ui::ImageList& images) {
  AddPicture(images, Magnifier);
  AddPicture(images, [](Canvas& canvas) {
    Page(canvas, Rgb(255, 255, 255));
    Lines(canvas, Rgb(128, 128, 128), 1, {{5, 5}, {12, 5}});
    Lines(canvas, Rgb(128, 128, 128), 1, {{5, 8}, {12, 8}});
    Style(canvas, Rgb(200, 0, 0), Rgb(230, 0, 0), 1);
    canvas.Ellipse(8, 9, 14, 15);
  });
  AddPicture(images, [](Canvas& canvas) { Badge(canvas, Rgb(0, 96, 200), "?"); });
  AddPicture(images, [](Canvas& canvas) { Badge(canvas, Rgb(0, 140, 80), "i"); });
  AddPicture(images, [](Canvas& canvas) {
    Arrow(canvas, Rgb(0, 96, 200), {{2, 2}, {14, 2}, {8, 8}});
    Arrow(canvas, Rgb(0, 96, 200), {{2, 8}, {14, 8}, {8, 14}});
  });
  AddPicture(images, [](Canvas& canvas) {  // a floppy disk
    Style(canvas, Rgb(32, 32, 96), Rgb(40, 70, 160), 1);
    canvas.Rectangle(1, 1, 15, 15);
    Style(canvas, Rgb(32, 32, 96), Rgb(240, 240, 240), 1);
    canvas.Rectangle(4, 1, 12, 7);
    Style(canvas, Rgb(32, 32, 96), Rgb(200, 200, 200), 1);
    canvas.Rectangle(4, 9, 12, 15);
  });
}

}  // namespace trovex::app
