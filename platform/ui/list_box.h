#pragma once
// ListBox: a list of text items of which one can be chosen. An owner-drawn list has
// items of one fixed height painted by OnDrawItem. OnClick and OnChange run when
// the user chooses an item; setting ItemIndex from the program runs neither.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/item_list.h"

namespace trovex::ui {

enum class ListBoxStyle { Standard, OwnerDrawFixed };

class ListBox : public ItemList {
 public:
  explicit ListBox(Control* parent, ListBoxStyle style = ListBoxStyle::Standard);

  int ItemHeight() const;
  void SetItemHeight(int height);
  // Draws no edge around the list (its extended styles cleared, the frame redrawn).
  void SetBorderless();

  // Paints item `index` within `rect`; the canvas has the list's font and its brush
  // the colour the item's background should take (the highlight when selected).
  std::function<void(ListBox& box, int index, Canvas& canvas, const RECT& rect,
                     OwnerDrawState state)>
      OnDrawItem;

 protected:
  void CommandNotify(WORD code) override;
  bool PaintItem(int index, Canvas& canvas, const RECT& rect, OwnerDrawState state) override;
};

}  // namespace trovex::ui
