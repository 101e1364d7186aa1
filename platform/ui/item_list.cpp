#include "platform/ui/item_list.h"

#include "platform/ui/wide.h"

namespace trovex::ui {

void ItemList::AddItem(std::string_view item) {
  SendMessageW(hwnd_, messages_.add, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
}

void ItemList::SetItems(const std::vector<std::string>& items) {
  ClearItems();
  for (const std::string& item : items) AddItem(item);
}

void ItemList::ClearItems() { SendMessageW(hwnd_, messages_.reset, 0, 0); }

int ItemList::ItemCount() const {
  return static_cast<int>(SendMessageW(hwnd_, messages_.count, 0, 0));
}

std::string ItemList::Item(int index) const {
  const LRESULT length = SendMessageW(hwnd_, messages_.textLength, static_cast<WPARAM>(index), 0);
  if (length == messages_.error) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(hwnd_, messages_.text, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Narrow(text);
}

int ItemList::ItemIndex() const {
  return static_cast<int>(SendMessageW(hwnd_, messages_.selection, 0, 0));
}

void ItemList::SetItemIndex(int index) {
  SendMessageW(hwnd_, messages_.select, static_cast<WPARAM>(index), 0);
}

bool ItemList::DrawItem(DRAWITEMSTRUCT& item) {
  const OwnerDrawState state = OwnerDrawStateOf(item);
  const int index = static_cast<int>(item.itemID);
  Canvas canvas(item.hDC);
  canvas.SetFont(Font());
  const bool selected = index >= 0 && (state & odSelected);
  canvas.SetBrushColor(selected ? clHighlight : EffectiveColor());
  if (selected) canvas.SetFontColor(clHighlightText);
  if (index < 0 || !PaintItem(index, canvas, item.rcItem, state)) {
    canvas.FillRect(item.rcItem);
    canvas.SetTransparent(true);
    if (index >= 0) canvas.TextOut(item.rcItem.left + 2, item.rcItem.top + 1, Item(index));
  }
  if (state & odFocused) DrawFocusRect(item.hDC, &item.rcItem);
  return true;
}

}  // namespace trovex::ui
