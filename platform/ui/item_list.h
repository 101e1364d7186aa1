#pragma once
// The text items of a list box or of a combo box's list: the two controls answer
// the same requests under different message numbers, so one implementation serves
// both. Items are CP932 texts.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/canvas.h"
#include "platform/ui/control.h"
#include "platform/ui/owner_draw.h"

namespace trovex::ui {

struct ItemMessages {
  UINT add, reset, count, textLength, text, selection, select;
  LRESULT error;
};

class ItemList : public Control {
 public:
  void AddItem(std::string_view item);
  void SetItems(const std::vector<std::string>& items);
  void ClearItems();
  int ItemCount() const;
  std::string Item(int index) const;
  // -1: none chosen.
  int ItemIndex() const;
  void SetItemIndex(int index);

 protected:
  ItemList(Control* parent, const ItemMessages& messages) : Control(parent), messages_(messages) {}

  // An owner-drawn item: its background (the highlight when selected), then
  // PaintItem or else its text, then the focus. No item (an empty list): the
  // background and the focus.
  bool DrawItem(DRAWITEMSTRUCT& item) override;
  // Paints item `index` as the program wants (the canvas has the list's font and
  // its brush the item's background); false: the item's text is drawn.
  virtual bool PaintItem(int index, Canvas& canvas, const RECT& rect, OwnerDrawState state) = 0;

 private:
  const ItemMessages& messages_;
};

}  // namespace trovex::ui
