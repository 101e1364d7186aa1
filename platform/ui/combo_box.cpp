#include "platform/ui/combo_box.h"

#include <commctrl.h>

#include "platform/ui/wide.h"

namespace trovex::ui {

namespace {

constexpr ItemMessages kComboBoxItems{CB_ADDSTRING, CB_RESETCONTENT, CB_GETCOUNT,  CB_GETLBTEXTLEN,
                                      CB_GETLBTEXT, CB_GETCURSEL,    CB_SETCURSEL, CB_ERR};

}  // namespace

ComboBox::ComboBox(Control* parent, ComboStyle style) : ItemList(parent, kComboBoxItems) {
  const DWORD kind = style == ComboStyle::DropDownList ? CBS_DROPDOWNLIST
                     : style == ComboStyle::OwnerDrawList
                         ? CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS
                         : CBS_DROPDOWN | CBS_AUTOHSCROLL;
  CreateHandle(L"COMBOBOX", kind | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE, 0, true, 145, 200);
  SetColor(clWindow);
}

void ComboBox::SetItemHeight(int design) {
  const int height = Scale(design);
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, height);
  if ((GetWindowLongW(hwnd_, GWL_STYLE) & CBS_OWNERDRAWFIXED) != 0)
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
}

bool ComboBox::PaintItem(int index, Canvas& canvas, const RECT& rect, OwnerDrawState state) {
  if (!OnDrawItem) return false;
  OnDrawItem(*this, index, canvas, rect, state);
  return true;
}

bool ComboBox::DroppedDown() const { return SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void ComboBox::SetDroppedDown(bool dropped) { SendMessageW(hwnd_, CB_SHOWDROPDOWN, dropped, 0); }

void ComboBox::SetDropDownCount(int count) {
  dropDownCount_ = count;
  SendMessageW(hwnd_, CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0);
}

int ComboBox::SelStart() const {
  DWORD start = 0;
  SendMessageW(hwnd_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
  return BytesBefore(WideText(), static_cast<int>(start));
}

int ComboBox::SelLength() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwnd_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const std::wstring text = WideText();
  return BytesBefore(text, static_cast<int>(end)) - BytesBefore(text, static_cast<int>(start));
}

void ComboBox::SetSelection(int start, int length) {
  const std::string text = Text();
  SendMessageW(hwnd_, CB_SETEDITSEL, 0,
               MAKELPARAM(UnitsBefore(text, start), UnitsBefore(text, start + length)));
}

void ComboBox::SetBounds(int left, int top, int width, int /*height*/) {
  // The window's height includes the dropped list; the box's own height follows the font.
  const int item = static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, 0, 0));
  const RECT box = DeviceBounds();
  MoveWindow(hwnd_, Scale(left), Scale(top), Scale(width),
             box.bottom - box.top + item * dropDownCount_ + 2, TRUE);
}

void ComboBox::CommandNotify(WORD code) {
  switch (code) {
    case CBN_SELCHANGE:
      Click();
      Fire(OnSelect);
      Fire(OnChange);
      break;
    case CBN_EDITCHANGE:
      Fire(OnChange);
      break;
    case CBN_DROPDOWN:
      Fire(OnDropDown);
      break;
    case CBN_CLOSEUP:
      Fire(OnCloseUp);
      break;
    case CBN_SETFOCUS:
      Fire(OnEnter);
      break;
    case CBN_KILLFOCUS:
      Fire(OnExit);
      break;
    default:
      break;
  }
}

LRESULT ComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Focus changes are reported through CBN_SETFOCUS and CBN_KILLFOCUS: the box
  // passes its focus on to its edit field.
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) return DefaultProc(msg, wParam, lParam);
  return Control::WndProc(msg, wParam, lParam);
}

}  // namespace trovex::ui
