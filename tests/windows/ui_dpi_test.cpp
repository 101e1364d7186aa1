// Layout at another DPI: controls are placed in design units (pixels at 96 DPI) and
// come out scaled on the screen, while every getter reads the design units back; a
// form told of a new DPI (WM_DPICHANGED, as Windows sends it when the window moves to
// another monitor) lays out the same design at the new DPI, with fonts of its size.
// The prefix runs at 96 DPI; the tests move their forms to 144 DPI (150 %) that way.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "platform/ui/bitmap.h"
#include "platform/ui/button.h"
#include "platform/ui/image_list.h"
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"

namespace trovex::ui {
namespace {

struct Bounds {
  int left, top, width, height;
  bool operator==(const Bounds&) const = default;
};

void PrintTo(const Bounds& b, std::ostream* out) {
  *out << "(" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << ")";
}

Bounds DesignBounds(const Control& control) {
  return {control.Left(), control.Top(), control.Width(), control.Height()};
}

// Where the window really is, in its parent's client pixels.
Bounds DeviceBounds(const Control& control) {
  RECT rect{};
  GetWindowRect(control.Handle(), &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control.Handle()), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

int FontHeight(const Control& control) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(control.Handle(), WM_GETFONT, 0, 0));
  LOGFONTW info{};
  GetObjectW(font, sizeof info, &info);
  return info.lfHeight;
}

int ColumnPixels(const ListView& list) {
  int sum = 0;
  for (int i = 0; i < list.ColumnCount(); ++i) {
    sum += static_cast<int>(SendMessageW(list.Handle(), LVM_GETCOLUMNWIDTH, i, 0));
  }
  return sum;
}

int ClientPixels(const ListView& list) {
  RECT client{};
  GetClientRect(list.Handle(), &client);
  return client.right;
}

class DpiForm : public Form {
 public:
  DpiForm()
      : Fixed(this, "固定"),
        RightButton(this, "閉じる"),
        Panel1(this),
        Inner(&Panel1, "中"),
        List(this),
        Status(this) {
    SetClientSize(400, 300);
    Fixed.SetBounds(10, 20, 100, 30);
    RightButton.SetBounds(310, 20, 80, 24);
    RightButton.SetAnchors(akTop | akRight);
    Panel1.SetBounds(10, 60, 200, 100);
    Inner.SetBounds(7, 9, 61, 23);
    List.SetBounds(220, 60, 170, 150);
    List.AddColumn({"名前", 101});
    List.AddColumn({"サイズ", 47});
    Status.SetPanels({{120, false, "一"}, {-1, false, "二"}});
  }
  // Tells the form of a new DPI as Windows does, suggesting its window scaled by
  // as much around its top-left corner; returns the suggested rectangle.
  RECT MoveToDpi(int dpi) {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    const int now = Dpi();
    RECT suggested{rect.left, rect.top, rect.left + MulDiv(rect.right - rect.left, dpi, now),
                   rect.top + MulDiv(rect.bottom - rect.top, dpi, now)};
    SendMessageW(Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    return suggested;
  }
  void FormResize() override { ++resizes; }

  int resizes = 0;
  Button Fixed;
  Button RightButton;
  Panel Panel1;
  Button Inner;
  ListView List;
  StatusBar Status;
};

TEST(UiDpi, DesignBoundsAreScaledOnTheScreenAndReadBackUnchanged) {
  DpiForm form;
  ASSERT_EQ(form.Dpi(), 96) << "the test prefix is expected to run at 96 DPI";
  EXPECT_EQ(DeviceBounds(form.Fixed), DesignBounds(form.Fixed));
  form.MoveToDpi(144);
  ASSERT_EQ(form.Dpi(), 144);
  EXPECT_EQ(form.Inner.Dpi(), 144);

  // Placed at the new DPI: 1.5 times on the screen, the design rectangle read back.
  form.Fixed.SetBounds(10, 20, 100, 30);
  EXPECT_EQ(DeviceBounds(form.Fixed), (Bounds{15, 30, 150, 45}));
  EXPECT_EQ(DesignBounds(form.Fixed), (Bounds{10, 20, 100, 30}));
  // Odd design values round to the nearest pixel and still read back exactly.
  form.Inner.SetBounds(7, 9, 61, 23);
  EXPECT_EQ(DeviceBounds(form.Inner), (Bounds{11, 14, 92, 35}));
  EXPECT_EQ(DesignBounds(form.Inner), (Bounds{7, 9, 61, 23}));

  form.SetClientSize(400, 300);
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(client.bottom, 450);
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 300);

  form.List.SetColumnWidth(0, 90);
  EXPECT_EQ(SendMessageW(form.List.Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 135);
  EXPECT_EQ(form.List.ColumnWidth(0), 90);

  form.SetMinSize(200, 150);
  MINMAXINFO limits{};
  SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 300);
  EXPECT_EQ(limits.ptMinTrackSize.y, 225);
}

TEST(UiDpi, MouseAndMenuPointsArriveInDesignUnits) {
  DpiForm form;
  form.MoveToDpi(144);
  int x = -1;
  int y = -1;
  form.Panel1.OnMouseDown = [&](Component&, MouseButton, ShiftState, int atX, int atY) {
    x = atX;
    y = atY;
  };
  SendMessageW(form.Panel1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 90));
  EXPECT_EQ(x, 40);
  EXPECT_EQ(y, 60);

  int popupX = -1;
  int popupY = -1;
  form.Panel1.OnContextPopup = [&](Component&, int atX, int atY, bool& handled) {
    popupX = atX;
    popupY = atY;
    handled = true;
  };
  POINT at{30, 45};
  ClientToScreen(form.Panel1.Handle(), &at);
  SendMessageW(form.Panel1.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Panel1.Handle()),
               MAKELPARAM(at.x, at.y));
  EXPECT_EQ(popupX, 20);
  EXPECT_EQ(popupY, 30);
}

TEST(UiDpi, ANewDpiLaysTheFormOutAgainWithFontsOfItsSize) {
  DpiForm form;
  form.EnsureCreated();  // FormResize runs for a created form
  const Bounds fixed = DesignBounds(form.Fixed);
  const Bounds inner = DesignBounds(form.Inner);
  const Bounds list = DesignBounds(form.List);
  const int rightMargin = form.ClientWidth() - form.RightButton.Left() - form.RightButton.Width();
  const int smallFont = FontHeight(form.Fixed);
  form.resizes = 0;

  const RECT suggested = form.MoveToDpi(144);

  RECT now{};
  GetWindowRect(form.Handle(), &now);
  EXPECT_TRUE(EqualRect(&now, &suggested)) << "the form takes the suggested rectangle";
  EXPECT_GT(form.resizes, 0);
  // The same design, 1.5 times on the screen, inside a panel too.
  EXPECT_EQ(DesignBounds(form.Fixed), fixed);
  EXPECT_EQ(DeviceBounds(form.Fixed), (Bounds{15, 30, 150, 45}));
  EXPECT_EQ(DesignBounds(form.Inner), inner);
  EXPECT_EQ(DeviceBounds(form.Inner), (Bounds{11, 14, 92, 35}));
  EXPECT_EQ(DesignBounds(form.List), list);
  // An anchored control follows the window's new size in design units.
  EXPECT_NEAR(form.ClientWidth() - form.RightButton.Left() - form.RightButton.Width(), rightMargin,
              1);
  // Columns and status panels keep their design widths.
  EXPECT_EQ(form.List.ColumnWidth(0), 101);
  EXPECT_EQ(form.List.ColumnWidth(1), 47);
  EXPECT_EQ(SendMessageW(form.List.Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 152);
  int edges[2]{};
  SendMessageW(form.Status.Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 180);
  // Every control, the nested one too, draws with the font at 144 DPI (9 pt: 18 px).
  EXPECT_EQ(smallFont, -12);
  EXPECT_EQ(FontHeight(form.Fixed), -18);
  EXPECT_EQ(FontHeight(form.Inner), -18);
  EXPECT_EQ(FontHeight(form.List), -18);

  // A fill column takes exactly the pixels the others leave, rounding or not.
  form.List.AddColumn({"種類", 33});
  form.List.SetFillColumn(2);
  EXPECT_EQ(ColumnPixels(form.List), ClientPixels(form.List));

  // Back at 96 DPI nothing has drifted.
  form.MoveToDpi(96);
  EXPECT_EQ(ColumnPixels(form.List), ClientPixels(form.List));
  EXPECT_EQ(DeviceBounds(form.Fixed), fixed);
  EXPECT_EQ(DeviceBounds(form.Inner), inner);
  EXPECT_EQ(SendMessageW(form.List.Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 101);
  EXPECT_EQ(FontHeight(form.Inner), -12);
}

TEST(UiDpi, TextIsMeasuredInDesignUnitsAtEveryDpi) {
  const FontInfo font;
  const SIZE at96 = MeasureText(font, "検索オプション", 96);
  const SIZE at144 = MeasureText(font, "検索オプション", 144);
  ASSERT_GT(at96.cx, 0);
  // The font is 1.5 times as large at 144 DPI; in design units it measures about the
  // same, never less than it needs there.
  EXPECT_NEAR(at144.cx, at96.cx, at96.cx / 8 + 2);
  EXPECT_NEAR(at144.cy, at96.cy, 2);
  HDC screen = GetDC(nullptr);
  SelectObject(screen, FontHandle(font, 144));
  SIZE device{};
  GetTextExtentPoint32W(screen, L"検索オプション", 7, &device);
  ReleaseDC(nullptr, screen);
  EXPECT_GE(ScaleToDpi(at144.cx, 144), device.cx);
}

TEST(UiDpi, PicturesDrawnInDesignUnitsFillTheirPixelsAtTheScreensDpi) {
  constexpr COLORREF kKey = 0xFF00FF;
  constexpr COLORREF kBlue = 0xFF0000;
  Bitmap bitmap(16, 16, 144);
  EXPECT_EQ(bitmap.PixelWidth(), 24);
  bitmap.Draw([](Canvas& canvas) {
    canvas.SetBrushColor(kKey);
    canvas.FillRect(RECT{0, 0, 16, 16});
    canvas.SetBrushColor(kBlue);
    canvas.FillRect(RECT{4, 4, 8, 8});
  });
  ImageList images(16, 16, 144);
  EXPECT_EQ(images.Width(), 24);
  ASSERT_EQ(images.AddMasked(bitmap.Handle(), kKey), 0);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP pixels = CreateCompatibleBitmap(screen, 24, 24);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, pixels);
  RECT all{0, 0, 24, 24};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  images.Draw(dc, 0, 0, 0);
  int blue = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      if (GetPixel(dc, x, y) == kBlue) ++blue;
    }
  }
  // The design square 4..8 is 6..12 in pixels: 36 of them, the rest clear.
  EXPECT_EQ(blue, 36);
  EXPECT_EQ(GetPixel(dc, 6, 6), kBlue);
  EXPECT_EQ(GetPixel(dc, 12, 12), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 23, 23), RGB(255, 255, 255));
  SelectObject(dc, old);
  DeleteObject(pixels);
  DeleteDC(dc);
}

}  // namespace
}  // namespace trovex::ui
