#include "platform/ui/list_box.h"

namespace trovex::ui {

namespace {

constexpr ItemMessages kListBoxItems{LB_ADDSTRING, LB_RESETCONTENT, LB_GETCOUNT,  LB_GETTEXTLEN,
                                     LB_GETTEXT,   LB_GETCURSEL,    LB_SETCURSEL, LB_ERR};

}  // namespace

ListBox::ListBox(Control* parent, ListBoxStyle style) : ItemList(parent, kListBoxItems) {
  DWORD bits = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (style == ListBoxStyle::OwnerDrawFixed) bits |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  CreateHandle(L"LISTBOX", bits, WS_EX_CLIENTEDGE, true, 121, 97);
  SetColor(clWindow);
}

int ListBox::ItemHeight() const {
  return Unscale(static_cast<int>(SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0)));
}

void ListBox::SetItemHeight(int height) {
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(Scale(height), 0));
  Invalidate();
}

void ListBox::SetBorderless() {
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, 0);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void ListBox::CommandNotify(WORD code) {
  if (code != LBN_SELCHANGE) return;
  Click();
  Fire(OnChange);
}

bool ListBox::PaintItem(int index, Canvas& canvas, const RECT& rect, OwnerDrawState state) {
  if (!OnDrawItem) return false;
  OnDrawItem(*this, index, canvas, rect, state);
  return true;
}

}  // namespace trovex::ui
