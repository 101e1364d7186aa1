// ListView: selection, focus, scrolling and finding rows by caption.
#include "platform/ui/list_view.h"

#include "platform/text/lower_case.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

// The control's index for a row; npos stands for every row.
WPARAM ItemIndex(std::size_t row) {
  return row == ListView::npos ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(row);
}

std::size_t RowOf(LRESULT index) {
  return index < 0 ? ListView::npos : static_cast<std::size_t>(index);
}

}  // namespace

void ListView::SetRowState(std::size_t row, UINT state, UINT mask) {
  LVITEMW item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, ItemIndex(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::ItemChanged(const NMLISTVIEW& change) {
  if (!(change.uChanged & LVIF_STATE) || !((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
    return;
  if (bulkDepth_ > 0) {
    bulkChanged_ = true;
    return;
  }
  if (change.iItem >= 0 && OnSelectItem) {
    OnSelectItem(*this, static_cast<std::size_t>(change.iItem),
                 (change.uNewState & LVIS_SELECTED) != 0);
  }
  Fire(OnChange);
}

void ListView::Bulk(const std::function<void()>& change) {
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(d) { ++depth; }
    ~Depth() { --depth; }
  };
  {
    Depth depth(bulkDepth_);
    change();
  }
  if (bulkDepth_ == 0 && bulkChanged_) {
    bulkChanged_ = false;
    Fire(OnChange);
  }
}

bool ListView::Selected(std::size_t row) const {
  return row < RowCount() &&
         (SendMessageW(hwnd_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
          LVIS_SELECTED) != 0;
}

void ListView::SetSelected(std::size_t row, bool selected) {
  if (row < RowCount()) SetRowState(row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

std::size_t ListView::FirstSelected() const {
  return RowOf(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<std::size_t> ListView::SelectedRows() const {
  std::vector<std::size_t> rows;
  rows.reserve(SelCount());
  LRESULT index = -1;
  while ((index = SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(index),
                               LVNI_SELECTED)) >= 0) {
    rows.push_back(static_cast<std::size_t>(index));
  }
  return rows;
}

std::size_t ListView::SelCount() const {
  return static_cast<std::size_t>(SendMessageW(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0));
}

void ListView::SelectAll() {
  Bulk([this] { SetRowState(npos, LVIS_SELECTED, LVIS_SELECTED); });
}

void ListView::ClearSelection() {
  Bulk([this] { SetRowState(npos, 0, LVIS_SELECTED); });
}

void ListView::InvertSelection() {
  Bulk([this] {
    // Usually few rows are selected: select all, then release those.
    const std::vector<std::size_t> were = SelectedRows();
    SetRowState(npos, LVIS_SELECTED, LVIS_SELECTED);
    for (std::size_t row : were) SetRowState(row, 0, LVIS_SELECTED);
  });
}

void ListView::SelectWhere(const std::function<bool(std::size_t row)>& predicate) {
  Bulk([&] {
    SetRowState(npos, 0, LVIS_SELECTED);
    const std::size_t count = RowCount();
    for (std::size_t row = 0; row < count; ++row) {
      if (predicate(row)) SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
  });
}

std::size_t ListView::ItemFocused() const {
  return RowOf(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListView::SetItemFocused(std::size_t row) {
  if (row == npos) {
    const std::size_t focused = ItemFocused();
    if (focused != npos) SetRowState(focused, 0, LVIS_FOCUSED);
    return;
  }
  if (row >= RowCount()) return;
  SetRowState(row, LVIS_FOCUSED, LVIS_FOCUSED);
  // Shift+click and Shift+arrow extend from the focused row.
  SendMessageW(hwnd_, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(row));
}

void ListView::EnsureVisible(std::size_t row) {
  if (row < RowCount()) SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::size_t ListView::TopItem() const { return RowOf(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0)); }

ListView::RowRange ListView::RowsInView() const {
  const std::size_t top = TopItem();
  if (top == npos) return {};
  // The page counts whole rows only; the partly shown one below them is in view too.
  const auto page = static_cast<std::size_t>(SendMessageW(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0));
  return {top, top + page + 1};
}

std::size_t ListView::Find(const std::string& lowered, std::size_t start, bool partial,
                           bool wrap) const {
  const std::size_t count = RowCount();
  if (!OnData || count == 0) return npos;
  if (start >= count) {
    if (!wrap) return npos;
    start = 0;
  }
  const std::size_t steps = wrap ? count : count - start;
  for (std::size_t i = 0; i < steps; ++i) {
    const std::size_t row = (start + i) % count;
    const std::string caption = text::AnsiLowerCase(OnData(row, 0));
    if (partial ? caption.starts_with(lowered) : caption == lowered) return row;
  }
  return npos;
}

std::size_t ListView::FindCaption(std::string_view text, std::size_t start) const {
  return Find(text::AnsiLowerCase(text), start, false, false);
}

int ListView::FindItem(const NMLVFINDITEMW& find) const {
  // The control's own search (typing the start of a caption, LVM_FINDITEM).
  const LVFINDINFOW& info = find.lvfi;
  if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || info.psz == nullptr) return -1;
  const std::size_t start = find.iStart < 0 ? 0 : static_cast<std::size_t>(find.iStart);
  const std::size_t row = Find(text::AnsiLowerCase(Narrow(info.psz)), start,
                               (info.flags & LVFI_PARTIAL) != 0, (info.flags & LVFI_WRAP) != 0);
  return row == npos ? -1 : static_cast<int>(row);
}

}  // namespace trovex::ui
