#pragma once
// ListView: the common list view over rows the window keeps itself (owner data).
// The view holds only the row count, the selection and the focus; texts, icons,
// colours and the dimmed ("cut") state are asked of the window's callbacks each
// time a row is drawn or read. Sorting is the window's: it sorts its own rows on
// OnColumnClick and calls Refresh.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/label.h"

namespace trovex::ui {

enum class ViewStyle { Report, List, Icon };

struct ListColumn {
  std::string caption;
  int width = 50;
  TextAlign align = TextAlign::Left;
  // Limits a drag of the column's edge keeps to (0: none).
  int minWidth = 0;
  int maxWidth = 0;
};

class ListView : public Control {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  // The most rows the control can show (its item indexes are int).
  static constexpr std::size_t kMaxRows = 0x7FFFFFFF;

  explicit ListView(Control* parent, ViewStyle style = ViewStyle::Report);
  ~ListView() override;

  ViewStyle Style() const;
  void SetViewStyle(ViewStyle style);
  // A click anywhere on a row selects it (report view).
  void SetRowSelect(bool rowSelect);
  void SetMultiSelect(bool multiSelect);
  // Read-only lists (the default) cannot be renamed in place by the user;
  // EditCaption still works.
  void SetReadOnly(bool readOnly);
  // With HideSelection off the selection stays visible while the list has no focus.
  void SetHideSelection(bool hide);
  // The list's background (clNone: the system's window colour).
  void SetListColor(Color color);

  int AddColumn(const ListColumn& column);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);
  // The column takes the width the other columns leave free, on every resize and
  // on FitFillColumn (-1: none). It keeps at least its minWidth.
  void SetFillColumn(int column);
  void FitFillColumn();

  // Image lists the view draws from. A shared list (the system's) is never
  // destroyed by the view; a list that is not shared goes with the view.
  void SetSmallImages(HIMAGELIST images, bool shared);
  void SetLargeImages(HIMAGELIST images, bool shared);

  std::size_t RowCount() const;
  // Counts above kMaxRows show kMaxRows. The scroll position stays where it is.
  void SetRowCount(std::size_t count);
  // Repaints every row after the rows changed (sorted, recoloured).
  void Refresh();
  void RefreshRow(std::size_t row);
  // Nested pairs: nothing is repainted until the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  // Selection. Rows are indexes of the window's rows; npos means none.
  bool Selected(std::size_t row) const;
  void SetSelected(std::size_t row, bool selected);
  std::size_t FirstSelected() const;
  // Every selected row, in ascending order.
  std::vector<std::size_t> SelectedRows() const;
  std::size_t SelCount() const;
  void SelectAll();
  void ClearSelection();
  void InvertSelection();
  // Selects exactly the rows the predicate holds for.
  void SelectWhere(const std::function<bool(std::size_t row)>& predicate);
  std::size_t ItemFocused() const;
  void SetItemFocused(std::size_t row);
  void EnsureVisible(std::size_t row);
  std::size_t TopItem() const;
  // The rows on screen (in report view), a partly shown one included: [first, end).
  struct RowRange {
    std::size_t first = 0;
    std::size_t end = 0;
    bool Holds(std::size_t row) const { return row >= first && row < end; }
  };
  RowRange RowsInView() const;
  // The first row from `start` whose caption (column 0) equals `text`, letter case
  // ignored as the locale lowers it (full-width letters too); npos when none.
  std::size_t FindCaption(std::string_view text, std::size_t start = 0) const;

  // Starts the in-place editor on the row's caption; false when it did not start.
  bool EditCaption(std::size_t row);
  bool Editing() const;

  // Text of a cell (CP932); column 0 is the caption.
  std::function<std::string(std::size_t row, int column)> OnData;
  // Index into the image lists (-1: none).
  std::function<int(std::size_t row)> OnImage;
  // Dimmed rows.
  std::function<bool(std::size_t row)> OnCut;
  // Background and text colour of a row that is not selected (clNone: default).
  std::function<Color(std::size_t row)> OnRowColor;
  std::function<Color(std::size_t row)> OnRowTextColor;

  std::function<void(ListView& sender, int column)> OnColumnClick;
  // One row's selection changed (also when set from the program). Changes of many
  // rows at once (select all, a range, a clear) run only OnChange.
  std::function<void(ListView& sender, std::size_t row, bool selected)> OnSelectItem;
  // OnChange (Control's) runs once for every change of the selection.

  // Before the editor opens; allow = false keeps it closed.
  std::function<void(ListView& sender, std::size_t row, bool& allow)> OnEditing;
  // The user confirmed `text`; the handler stores it in its row, or sets accept
  // to false. A cancelled edit runs nothing.
  std::function<void(ListView& sender, std::size_t row, std::string& text, bool& accept)> OnEdited;

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Below the focused row's caption when it is in view, else the list's corner.
  POINT KeyboardPopupPoint() const override;
  // The columns keep their design widths at the new DPI.
  void DpiChanged(int oldDpi) override;

 private:
  bool DispInfo(NMLVDISPINFOW& info);
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
  void ItemChanged(const NMLISTVIEW& change);
  // The first row from `start` whose lowered caption equals `lowered` (partial:
  // begins with it); wrap goes on from the top.
  std::size_t Find(const std::string& lowered, std::size_t start, bool partial, bool wrap) const;
  int FindItem(const NMLVFINDITEMW& find) const;
  void HeaderChanged(const NMHEADERW& change);
  void HookHeader();
  void SetStyleBit(DWORD bit, bool on);
  void SetExStyleBit(DWORD bit, bool on);
  void ReplaceImages(int which, HIMAGELIST images, bool shared, HIMAGELIST& owned);
  void SetRowState(std::size_t row, UINT state, UINT mask);
  // Runs a change of many rows with one OnChange at its end.
  void Bulk(const std::function<void()>& change);

  std::vector<ListColumn> columns_;
  int fillColumn_ = -1;
  bool fitting_ = false;
  HIMAGELIST ownedSmall_ = nullptr;
  HIMAGELIST ownedLarge_ = nullptr;
  int updateDepth_ = 0;
  // The owner-data list holds exactly the rows it was told of: its count is kept
  // here rather than asked for (each message to the list costs under Wine, and
  // every cell the list draws checks it).
  std::size_t rowCount_ = 0;
  int bulkDepth_ = 0;
  bool bulkChanged_ = false;
  // Texts handed to the control stay alive for two more requests.
  std::wstring texts_[3];
  int nextText_ = 0;
};

}  // namespace trovex::ui
