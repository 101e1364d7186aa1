#include "platform/ui/track_bar64.h"

#include <commctrl.h>

#include <algorithm>

namespace trovex::ui {
namespace {

constexpr std::uint64_t kControlMax = 0x7FFFFFFF;

}  // namespace

TrackBar64::TrackBar64(Control* parent) : Control(parent) {
  CreateHandle(TRACKBAR_CLASSW, WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0, true, 150, 25);
  SetMax(100);
}

void TrackBar64::SetMax(std::uint64_t max) {
  max_ = max;
  scale_ = max / kControlMax + 1;
  SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, 0);
  SendMessageW(hwnd_, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>((max + scale_ - 1) / scale_));
  if (position_ > max_) {
    SetPosition(max_);
  } else {
    ShowPosition();
  }
}

void TrackBar64::SetPosition(std::uint64_t position) {
  position = std::min(position, max_);
  const bool changed = position != position_;
  position_ = position;
  ShowPosition();
  if (changed) Fire(OnChange);
}

void TrackBar64::SetPageSize(std::uint32_t pageSize) {
  SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, static_cast<LPARAM>(pageSize));
}

void TrackBar64::ShowPosition() {
  SendMessageW(hwnd_, TBM_SETPOS, TRUE, static_cast<LPARAM>((position_ + scale_ - 1) / scale_));
}

std::uint64_t TrackBar64::PositionOfControl() const {
  const auto step = static_cast<std::uint64_t>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0));
  return std::min(step * scale_, max_);
}

// Every move of the thumb (a drag, a click beside it, a key) arrives here; the
// position it shows counts, and only a change runs OnChange.
void TrackBar64::ScrollNotify(WORD code) {
  if (code == TB_ENDTRACK) return;
  const std::uint64_t position = PositionOfControl();
  // Several positions share a step of a huge slider: one still on the step
  // the thumb shows stays where it is.
  if ((position + scale_ - 1) / scale_ == (position_ + scale_ - 1) / scale_) return;
  position_ = position;
  Fire(OnChange);
}

}  // namespace trovex::ui
