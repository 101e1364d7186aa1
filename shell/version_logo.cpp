#include "shell/version_logo.h"

#include "platform/ui/canvas.h"

namespace trovex::shell {
namespace {

constexpr ui::Color kTransparent = 0xFF0000;  // pure blue, as 0xBBGGRR

}  // namespace

// A magnifier over a page, once upright and once tilted: the two frames the logo
// alternates between.
void DrawLogoFrames(ui::Bitmap& frames) {
  frames.Draw([](ui::Canvas& canvas) {
    canvas.SetBrushColor(kTransparent);
    canvas.FillRect(RECT{0, 0, 128, 64});
    for (int f = 0; f < 2; ++f) {
      const int x = 64 * f, tilt = f == 0 ? 0 : 3;
      canvas.SetPen(0x404040);
      canvas.SetBrushColor(ui::clWhite);
      canvas.Rectangle(x + 8, 6, x + 42, 50);  // the page
      canvas.SetPen(0xA0A0A0);
      for (int line = 0; line < 5; ++line) {
        canvas.MoveTo(x + 13, 13 + line * 7);
        canvas.LineTo(x + 37, 13 + line * 7);
      }
      canvas.SetPen(0x2060C0, 6);  // the handle, brown
      canvas.MoveTo(x + 42 + tilt, 42 - tilt);
      canvas.LineTo(x + 58 + tilt, 58 - tilt);
      canvas.SetPen(0x303030, 3);
      canvas.SetBrushColor(0xF0E0B0);  // the lens, light blue
      canvas.Ellipse(x + 22 + tilt, 18 - tilt, x + 48 + tilt, 44 - tilt);
      canvas.SetPen(ui::clWhite, 2);
      canvas.MoveTo(x + 29 + tilt, 27 - tilt);
      canvas.LineTo(x + 33 + tilt, 23 - tilt);
    }
  });
}

VersionLogo::VersionLogo(ui::Control* parent) : ui::PaintedControl(parent) {
  CreateHandle(OwnClass(L"TrovexVersionLogo", CS_HREDRAW | CS_VREDRAW), WS_VISIBLE, 0, false, 80,
               80);
}

void VersionLogo::ShowFrame(const ui::Bitmap* frames, int frame) {
  frames_ = frames;
  frame_ = frame;
  Invalidate();
}

void VersionLogo::Paint(HDC dc, RECT client) {
  if (!frames_) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, frames_->Handle());
  // The frames are squares side by side, as many pixels high as the bitmap.
  const int side = frames_->PixelHeight();
  GdiTransparentBlt(dc, 0, 0, client.right, client.bottom, source, side * frame_, 0, side, side,
                    kTransparent);
  SelectObject(source, old);
  DeleteDC(source);
}

}  // namespace trovex::shell
