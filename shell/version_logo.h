#pragma once
// The version window's logo: VersionLogo shows one 64 x 64 frame of a bitmap,
// stretched to its own size, over its background with pure blue (RGB 0000FF)
// transparent; DrawLogoFrames paints the program's two frames into a 128 x 64 bitmap.
#include "platform/ui/bitmap.h"
#include "platform/ui/painted_control.h"

namespace trovex::shell {

void DrawLogoFrames(ui::Bitmap& frames);

class VersionLogo : public ui::PaintedControl {
 public:
  explicit VersionLogo(ui::Control* parent);
  // Shows frame `frame` (0 or 1) of `frames`, which must outlive the control.
  void ShowFrame(const ui::Bitmap* frames, int frame);

 protected:
  void Paint(HDC dc, RECT client) override;

 private:
  const ui::Bitmap* frames_ = nullptr;
  int frame_ = 0;
};

}  // namespace trovex::shell
