// Canvas shapes on a bitmap: the pen outlines, the brush fills (clNone leaves the
// inside alone), lines run from the current position, text lands in its rectangle,
// and the context gets its own pen and brush back when the canvas goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "app/main_images.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/canvas.h"
#include "platform/ui/image_list.h"

namespace trovex::ui {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kBlue = 0xFF0000;
constexpr Color kGreen = 0x00FF00;

// A 32-bit picture to draw on and read back.
class Picture {
 public:
  Picture(int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Picture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  // As a COLORREF (0x00BBGGRR).
  Color At(int x, int y) const {
    GdiFlush();
    const std::uint32_t pixel = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
  }
  int Count(Color color, RECT area) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) n += At(x, y) == color;
    }
    return n;
  }

 private:
  int width_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  void* bits_ = nullptr;
};

TEST(UiCanvas, ShapesAreOutlinedByThePenAndFilledByTheBrushOrLeftHollow) {
  Picture picture(40, 40);
  {
    Canvas canvas(picture.Dc());
    canvas.SetPen(kRed);
    canvas.SetBrushColor(kBlue);
    canvas.Rectangle(0, 0, 10, 10);
    canvas.SetBrushColor(clNone);
    canvas.Rectangle(20, 0, 30, 10);
    canvas.SetPen(kGreen, 3);
    canvas.SetBrushColor(kBlue);
    canvas.Ellipse(0, 20, 20, 40);
  }
  EXPECT_EQ(picture.At(0, 0), kRed);
  EXPECT_EQ(picture.At(9, 9), kRed);  // the right and bottom edges are inside the pen
  EXPECT_EQ(picture.At(10, 10), clWhite);
  EXPECT_EQ(picture.At(5, 5), kBlue);
  EXPECT_EQ(picture.At(20, 5), kRed);
  EXPECT_EQ(picture.At(25, 5), clWhite);  // hollow
  EXPECT_EQ(picture.At(10, 30), kBlue);
  EXPECT_EQ(picture.At(0, 20), clWhite);                         // outside the ellipse's curve
  EXPECT_GT(picture.Count(kGreen, RECT{0, 20, 20, 23}), 3 * 4);  // a wide outline at the top
}

TEST(UiCanvas, LinesRunFromTheCurrentPointAndPolygonsCloseThemselves) {
  Picture picture(20, 20);
  {
    Canvas canvas(picture.Dc());
    canvas.SetPen(kRed);
    canvas.MoveTo(2, 2);
    canvas.LineTo(10, 2);  // the end point is not drawn
    canvas.LineTo(10, 8);
    canvas.Polyline({{0, 15}, {5, 15}});
    canvas.SetBrushColor(kBlue);
    canvas.Polygon({{12, 12}, {18, 12}, {18, 18}, {12, 18}});
  }
  EXPECT_EQ(picture.Count(kRed, RECT{2, 2, 11, 3}), 9);
  EXPECT_EQ(picture.At(10, 7), kRed);
  EXPECT_EQ(picture.At(10, 8), clWhite);
  EXPECT_EQ(picture.Count(kRed, RECT{0, 15, 6, 16}), 5);
  EXPECT_EQ(picture.At(12, 15), kRed);  // the closing side
  EXPECT_EQ(picture.At(15, 15), kBlue);
}

TEST(UiCanvas, TextIsDrawnInsideItsRectangle) {
  Picture picture(120, 40);
  {
    Canvas canvas(picture.Dc());
    canvas.SetFont(FontInfo{});
    canvas.SetFontColor(kRed);
    canvas.SetTransparent(true);
    const int height =
        canvas.DrawText(RECT{60, 0, 120, 40}, "検索", DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_GT(height, 8);
  }
  EXPECT_EQ(picture.Count(kRed, RECT{0, 0, 60, 40}), 0);
  EXPECT_GT(picture.Count(kRed, RECT{60, 0, 120, 40}), 10);
}

TEST(UiCanvas, TheContextGetsItsOwnPenAndBrushBack) {
  Picture picture(10, 10);
  HGDIOBJ pen = GetCurrentObject(picture.Dc(), OBJ_PEN);
  HGDIOBJ brush = GetCurrentObject(picture.Dc(), OBJ_BRUSH);
  {
    Canvas canvas(picture.Dc());
    canvas.SetPen(kRed, 2);
    canvas.SetPen(kGreen, 1);
    canvas.SetBrushColor(kBlue);
    canvas.Rectangle(0, 0, 5, 5);
    EXPECT_NE(GetCurrentObject(picture.Dc(), OBJ_PEN), pen);
  }
  EXPECT_EQ(GetCurrentObject(picture.Dc(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(picture.Dc(), OBJ_BRUSH), brush);
}

TEST(UiBitmap, ABitmapDrawnThroughACanvasGoesIntoAnImageListWithItsKeyColourClear) {
  Bitmap bitmap(16, 16);
  bitmap.Draw([](Canvas& canvas) {
    canvas.SetBrushColor(0xFF00FF);
    canvas.FillRect(RECT{0, 0, 16, 16});
  });
  bitmap.Draw([](Canvas& canvas) {  // a second drawing adds to the first
    canvas.SetBrushColor(kBlue);
    canvas.FillRect(RECT{4, 4, 8, 8});
  });
  ImageList images;
  ASSERT_EQ(images.AddMasked(bitmap.Handle(), 0xFF00FF), 0);
  Picture picture(16, 16);
  images.Draw(picture.Dc(), 0, 0, 0);
  EXPECT_EQ(picture.At(0, 0), clWhite);
  EXPECT_EQ(picture.At(5, 5), kBlue);
  EXPECT_EQ(picture.Count(kBlue, RECT{0, 0, 16, 16}), 16);
}

TEST(UiBitmap, TheMainWindowsPicturesAreDrawnOnClearSquares) {
  ImageList list;
  ImageList glyphs;
  app::FillImageList1(list);
  app::FillButtonGlyphs(glyphs);
  EXPECT_EQ(list.Count(), 12);
  EXPECT_EQ(glyphs.Count(), app::kGlyphSavePage + 1);
  for (ImageList* images : {&list, &glyphs}) {
    for (int i = 0; i < images->Count(); ++i) {
      Picture picture(16, 16);
      images->Draw(picture.Dc(), i, 0, 0);
      const int clear = picture.Count(clWhite, RECT{0, 0, 16, 16});
      EXPECT_GT(clear, 0) << i;             // some of the square shows what is behind
      EXPECT_LT(clear, 16 * 16 - 40) << i;  // and a picture covers a good part of it
    }
  }
}

}  // namespace
}  // namespace trovex::ui
