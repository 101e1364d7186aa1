#pragma once
// Puts a list view's rows (the window's own vector, shown through owner data) in a
// new order; rows that were selected stay selected.
#include <cstddef>
#include <utility>
#include <vector>

#include "platform/ui/list_view.h"

namespace trovex::ui {

// `order` holds, for each new position, the row's old position.
template <typename Row>
void ApplyRowOrder(ListView& list, std::vector<Row>& rows, const std::vector<std::size_t>& order) {
  std::vector<bool> wasSelected(rows.size(), false);
  for (std::size_t row : list.SelectedRows()) {
    if (row < wasSelected.size()) wasSelected[row] = true;
  }
  std::vector<Row> sorted;
  sorted.reserve(rows.size());
  std::vector<bool> selected;
  selected.reserve(rows.size());
  for (std::size_t from : order) {
    sorted.push_back(std::move(rows[from]));
    selected.push_back(wasSelected[from]);
  }
  rows = std::move(sorted);
  list.SelectWhere([&](std::size_t row) { return row < selected.size() && selected[row]; });
  list.Refresh();
}

}  // namespace trovex::ui
