#include "platform/ui/up_down.h"

#include <commctrl.h>

#include "platform/ui/edit.h"

namespace trovex::ui {

UpDown::UpDown(Control* parent) : Control(parent) {
  CreateHandle(UPDOWN_CLASSW,
               WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
               true, 17, 21);
  SetRange(0, 100);
}

void UpDown::SetAssociate(Edit* buddy) {
  buddy_ = buddy;
  SendMessageW(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->Handle() : nullptr), 0);
  // The buddy shows the position from the start.
  if (buddy != nullptr) SetPosition(static_cast<int>(SendMessageW(hwnd_, UDM_GETPOS32, 0, 0)));
}

int UpDown::Min() const {
  int min = 0;
  SendMessageW(hwnd_, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min), 0);
  return min;
}

int UpDown::Max() const {
  int max = 0;
  SendMessageW(hwnd_, UDM_GETRANGE32, 0, reinterpret_cast<LPARAM>(&max));
  return max;
}

void UpDown::SetRange(int min, int max) { SendMessageW(hwnd_, UDM_SETRANGE32, min, max); }

int UpDown::Position() const { return static_cast<int>(SendMessageW(hwnd_, UDM_GETPOS32, 0, 0)); }

void UpDown::SetPosition(int position) { SendMessageW(hwnd_, UDM_SETPOS32, 0, position); }

bool UpDown::Wrap() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & UDS_WRAP) != 0; }

void UpDown::SetWrap(bool wrap) {
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  style = wrap ? (style | UDS_WRAP) : (style & ~UDS_WRAP);
  SetWindowLongW(hwnd_, GWL_STYLE, style);
}

bool UpDown::Notify(NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return false;
  stepFrom_ = reinterpret_cast<NMUPDOWN&>(header).iPos;
  result = 0;  // the step may go ahead
  return true;
}

void UpDown::ScrollNotify(WORD code) {
  // Each step of the arrows (a click, a held button, an arrow key) is announced
  // by UDN_DELTAPOS and arrives as SB_THUMBPOSITION, also at an end it cannot
  // pass; only a step that moved counts.
  if (code != SB_THUMBPOSITION || Position() == stepFrom_) return;
  Click();
  Fire(OnChange);
}

}  // namespace trovex::ui
