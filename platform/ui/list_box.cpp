#include "platform/ui/list_box.h"

#include "platform/ui/wide.h"

namespace trovex::ui {

ListBox::ListBox(Control* parent, ListBoxStyle style) : Control(parent) {
  DWORD bits = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (style == ListBoxStyle::OwnerDrawFixed) bits |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  CreateHandle(L"LISTBOX", bits, WS_EX_CLIENTEDGE, true, 121, 97);
  SetColor(clWindow);
}

void ListBox::AddItem(std::string_view item) {
  SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
}

void ListBox::SetItems(const std::vector<std::string>& items) {
  ClearItems();
  for (const std::string& item : items) AddItem(item);
}

void ListBox::ClearItems() { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }

int ListBox::ItemCount() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }

std::string ListBox::Item(int index) const {
  const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Narrow(text);
}

int ListBox::ItemIndex() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }

void ListBox::SetItemIndex(int index) {
  SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ListBox::ItemHeight() const {
  return static_cast<int>(SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0));
}

void ListBox::SetItemHeight(int height) {
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
  Invalidate();
}

void ListBox::CommandNotify(WORD code) {
  if (code != LBN_SELCHANGE) return;
  Click();
  Fire(OnChange);
}

bool ListBox::DrawItem(DRAWITEMSTRUCT& item) {
  const int index = static_cast<int>(item.itemID);
  if (index < 0) return true;  // an empty list draws only its focus
  const OwnerDrawState state = OwnerDrawStateOf(item);
  Canvas canvas(item.hDC);
  canvas.SetFont(Font());
  canvas.SetBrushColor((state & odSelected) ? clHighlight : EffectiveColor());
  if (state & odSelected) canvas.SetFontColor(clHighlightText);
  if (OnDrawItem) {
    OnDrawItem(*this, index, canvas, item.rcItem, state);
  } else {
    canvas.FillRect(item.rcItem);
    canvas.SetTransparent(true);
    canvas.TextOut(item.rcItem.left + 2, item.rcItem.top + 1, Item(index));
  }
  if (state & odFocused) DrawFocusRect(item.hDC, &item.rcItem);
  return true;
}

}  // namespace trovex::ui
