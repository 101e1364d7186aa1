#include "app/main_images.h"

#include <windows.h>

#include <functional>

namespace trovex::app {
namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr int kSize = 16;

// Draws one picture on a transparent square and adds it.
void AddPicture(ui::ImageList& images, const std::function<void(HDC)>& paint) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kSize, kSize);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, kSize, kSize};
  HBRUSH key = CreateSolidBrush(kKey);
  FillRect(dc, &all, key);
  DeleteObject(key);
  paint(dc);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  images.AddMasked(bitmap, kKey);
  DeleteObject(bitmap);
}

void Shape(HDC dc, COLORREF line, COLORREF fill, int width, const std::function<void()>& draw) {
  HPEN pen = CreatePen(PS_SOLID, width, line);
  HBRUSH brush = fill == kKey ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : CreateSolidBrush(fill);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  draw();
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  if (fill != kKey) DeleteObject(brush);
}

void Lines(HDC dc, COLORREF color, int width, std::initializer_list<POINT> points) {
  Shape(dc, color, kKey, width, [&] {
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
  });
}

void Letter(HDC dc, const wchar_t* letter, COLORREF color) {
  HFONT font = CreateFontW(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                           NONANTIALIASED_QUALITY, 0, L"Arial");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  RECT rect{0, 0, kSize, kSize};
  DrawTextW(dc, letter, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteObject(font);
}

void Page(HDC dc, COLORREF paper) {
  Shape(dc, RGB(64, 64, 64), paper, 1, [&] { Rectangle(dc, 3, 1, 14, 16); });
}

void Folder(HDC dc, COLORREF color) {
  Shape(dc, RGB(128, 96, 0), color, 1, [&] {
    POINT outline[] = {{1, 4}, {6, 4}, {7, 6}, {14, 6}, {14, 14}, {1, 14}, {1, 4}};
    Polygon(dc, outline, 7);
  });
}

void Magnifier(HDC dc) {
  Lines(dc, RGB(128, 64, 0), 3, {{10, 10}, {14, 14}});
  Shape(dc, RGB(0, 64, 160), RGB(210, 230, 255), 2, [&] { Ellipse(dc, 1, 1, 12, 12); });
}

void Badge(HDC dc, COLORREF color, const wchar_t* letter) {
  Shape(dc, color, color, 1, [&] { Ellipse(dc, 0, 0, 16, 16); });
  Letter(dc, letter, RGB(255, 255, 255));
}

void Arrow(HDC dc, COLORREF color, std::initializer_list<POINT> head) {
  Shape(dc, color, color, 1, [&] { Polygon(dc, head.begin(), static_cast<int>(head.size())); });
}

}  // namespace

void FillImageList1(ui::ImageList& images) {
  // 0, 1: the view button at rest and lit.
  AddPicture(images, [](HDC dc) {
    Page(dc, RGB(255, 255, 255));
    Lines(dc, RGB(0, 64, 160), 1, {{5, 5}, {12, 5}});
    Lines(dc, RGB(0, 64, 160), 1, {{5, 8}, {12, 8}});
    Lines(dc, RGB(0, 64, 160), 1, {{5, 11}, {12, 11}});
  });
  AddPicture(images, [](HDC dc) {
    Page(dc, RGB(255, 220, 0));
    Lines(dc, RGB(200, 0, 0), 1, {{5, 5}, {12, 5}});
    Lines(dc, RGB(200, 0, 0), 1, {{5, 8}, {12, 8}});
    Lines(dc, RGB(200, 0, 0), 1, {{5, 11}, {12, 11}});
  });
  // 2, 3: hidden folders not shown / shown.
  AddPicture(images, [](HDC dc) { Folder(dc, RGB(200, 200, 200)); });
  AddPicture(images, [](HDC dc) {
    Folder(dc, RGB(255, 220, 96));
    Lines(dc, RGB(0, 140, 0), 2, {{4, 9}, {7, 12}, {13, 5}});
  });
  // 4 back, 5 up, 6 view switch.
  AddPicture(images, [](HDC dc) {
    Arrow(dc, RGB(0, 128, 0), {{1, 8}, {7, 2}, {7, 5}, {14, 5}, {14, 11}, {7, 11}, {7, 14}});
  });
  AddPicture(images, [](HDC dc) {
    Folder(dc, RGB(255, 220, 96));
    Arrow(dc, RGB(0, 128, 0), {{8, 1}, {13, 6}, {10, 6}, {10, 12}, {6, 12}, {6, 6}, {3, 6}});
  });
  AddPicture(images, [](HDC dc) {
    for (int y : {2, 9}) {
      for (int x : {2, 9}) {
        Shape(dc, RGB(0, 64, 160), RGB(210, 230, 255), 1, [&] { Rectangle(dc, x, y, x + 6, y + 6); });
      }
    }
  });
  // 7 drive, 8 folder.
  AddPicture(images, [](HDC dc) {
    Shape(dc, RGB(64, 64, 64), RGB(200, 200, 200), 1, [&] { Rectangle(dc, 1, 5, 15, 12); });
    Shape(dc, RGB(0, 160, 0), RGB(0, 200, 0), 1, [&] { Rectangle(dc, 11, 8, 13, 10); });
  });
  AddPicture(images, [](HDC dc) { Folder(dc, RGB(255, 220, 96)); });
  // 9 select all, 10 open folder, 11 invert selection.
  AddPicture(images, [](HDC dc) {
    Shape(dc, RGB(0, 64, 160), RGB(160, 200, 255), 1, [&] { Rectangle(dc, 1, 1, 15, 15); });
    Lines(dc, RGB(0, 64, 160), 1, {{4, 5}, {12, 5}});
    Lines(dc, RGB(0, 64, 160), 1, {{4, 8}, {12, 8}});
    Lines(dc, RGB(0, 64, 160), 1, {{4, 11}, {12, 11}});
  });
  AddPicture(images, [](HDC dc) {
    Folder(dc, RGB(230, 190, 64));
    Shape(dc, RGB(128, 96, 0), RGB(255, 230, 128), 1, [&] {
      POINT flap[] = {{3, 8}, {15, 8}, {13, 14}, {1, 14}, {3, 8}};
      Polygon(dc, flap, 5);
    });
  });
  AddPicture(images, [](HDC dc) {
    Shape(dc, RGB(0, 64, 160), RGB(255, 255, 255), 1, [&] { Rectangle(dc, 1, 1, 15, 15); });
    Shape(dc, RGB(0, 64, 160), RGB(0, 64, 160), 1, [&] {
      POINT half[] = {{1, 1}, {14, 1}, {1, 14}};
      Polygon(dc, half, 3);
    });
  });
}

void FillButtonGlyphs(ui::ImageList& images) {
  AddPicture(images, Magnifier);
  AddPicture(images, [](HDC dc) {
    Page(dc, RGB(255, 255, 255));
    Lines(dc, RGB(128, 128, 128), 1, {{5, 5}, {12, 5}});
    Lines(dc, RGB(128, 128, 128), 1, {{5, 8}, {12, 8}});
    Shape(dc, RGB(200, 0, 0), RGB(230, 0, 0), 1, [&] { Ellipse(dc, 8, 9, 14, 15); });
  });
  AddPicture(images, [](HDC dc) { Badge(dc, RGB(0, 96, 200), L"?"); });
  AddPicture(images, [](HDC dc) { Badge(dc, RGB(0, 140, 80), L"i"); });
  AddPicture(images, [](HDC dc) {
    Arrow(dc, RGB(0, 96, 200), {{2, 2}, {14, 2}, {8, 8}});
    Arrow(dc, RGB(0, 96, 200), {{2, 8}, {14, 8}, {8, 14}});
  });
}

}  // namespace trovex::app
