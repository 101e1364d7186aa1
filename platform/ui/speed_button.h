#pragma once
// SpeedButton: a flat button with an icon and a caption that never takes the focus.
// With a GroupIndex it stays down when clicked: one button of a group is down at a
// time, and AllowAllUp lets a click release the one that is down.
#include "platform/ui/painted_control.h"

namespace trovex::ui {

class ImageList;

class SpeedButton : public PaintedControl {
 public:
  explicit SpeedButton(Control* parent, std::string_view caption = "");

  // The icon: image `index` of `images` (null or -1: none).
  void SetGlyph(const ImageList* images, int index);
  int GlyphIndex() const { return glyphIndex_; }
  void SetFlat(bool flat);
  bool Down() const { return down_; }
  // Setting Down releases the other buttons of the group; it runs no OnClick.
  void SetDown(bool down);
  void SetGroupIndex(int group) { groupIndex_ = group; }
  void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, RECT rect) override;

 private:
  void Release();
  bool Inside(LPARAM point) const;

  const ImageList* images_ = nullptr;
  int glyphIndex_ = -1;
  bool flat_ = true;
  bool down_ = false;
  bool hot_ = false;
  bool pressing_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
};

}  // namespace trovex::ui
