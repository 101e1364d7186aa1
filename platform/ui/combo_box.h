#pragma once
// ComboBox: a drop-down box with an edit field (DropDown) or a fixed list
// (DropDownList). OnChange and OnClick run when the user picks an item, OnChange also
// when the user types; setting ItemIndex from the program runs neither.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/item_list.h"

namespace trovex::ui {

// OwnerDrawList: a fixed list whose items OnDrawItem paints.
enum class ComboStyle { DropDown, DropDownList, OwnerDrawList };

class ComboBox : public ItemList {
 public:
  explicit ComboBox(Control* parent, ComboStyle style = ComboStyle::DropDown);

  bool DroppedDown() const;
  void SetDroppedDown(bool dropped);
  // Items shown at once in the dropped list.
  void SetDropDownCount(int count);
  // The selection in the edit field, in CP932 bytes (a caret: length 0).
  int SelStart() const;
  int SelLength() const;
  void SetSelection(int start, int length);

  void SetBounds(int left, int top, int width, int height) override;
  // The height of the list's items (an owner-drawn list: of its box as well).
  void SetItemHeight(int height);

  NotifyEvent OnDropDown, OnCloseUp, OnSelect;
  // Paints item `index` within `rect` (OwnerDrawList); the canvas has the box's font
  // and its brush the colour of the item's background.
  std::function<void(ComboBox& box, int index, Canvas& canvas, const RECT& rect,
                     OwnerDrawState state)>
      OnDrawItem;

 protected:
  void CommandNotify(WORD code) override;
  bool PaintItem(int index, Canvas& canvas, const RECT& rect, OwnerDrawState state) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  int dropDownCount_ = 8;
};

}  // namespace trovex::ui
