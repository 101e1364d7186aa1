#pragma once
// The state of an item that a list or box of ours asks its owner to draw.
#include <windows.h>

namespace trovex::ui {

enum OwnerDrawFlag : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4, odComboEdit = 8 };
using OwnerDrawState = unsigned;

// The state of a WM_DRAWITEM item.
inline OwnerDrawState OwnerDrawStateOf(const DRAWITEMSTRUCT& item) {
  OwnerDrawState state = 0;
  if (item.itemState & ODS_SELECTED) state |= odSelected;
  if (item.itemState & ODS_FOCUS) state |= odFocused;
  if (item.itemState & ODS_DISABLED) state |= odDisabled;
  if (item.itemState & ODS_COMBOBOXEDIT) state |= odComboEdit;
  return state;
}

}  // namespace trovex::ui
