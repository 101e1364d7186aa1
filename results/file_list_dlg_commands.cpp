// The history list's file commands: the in-place rename of the first column and
// 削除 of the context menu.
#include "platform/fs/file_ops.h"
#include "platform/ui/application.h"
#include "results/file_list_dlg.h"
#include "results/history_rename.h"
#include "results/row_removal.h"

namespace trovex::results {
namespace {

constexpr const char* kDeleteFailedMessage = "ファイルの削除に失敗しました。";
constexpr const char* kRenameFailedMessage = "ファイル名の変更に失敗しました。";

}  // namespace

// Only a press inside the first column lets the next edit start (a click on the
// other columns only selects).
void TFileListDlg::ListView1MouseDown(ui::Component&, ui::MouseButton, ui::ShiftState, int x, int) {
  editAllowed_ = x >= 0 && x < ListView1.ColumnWidth(kListColFileName);
}

// Not while the files are still being read: the rows may move while the name is
// typed, and the listing could meet the renamed file once more.
void TFileListDlg::ListView1Editing(ui::ListView&, std::size_t row, bool& allow) {
  allow = editAllowed_ && row < rows_.size() && !Filling();
}

void TFileListDlg::Edit1Click(ui::Component&) {
  const std::size_t row = ListView1.FirstSelected();
  if (row >= rows_.size()) return;
  editAllowed_ = true;
  ListView1.EditCaption(row);
}

// While a name is being edited, Enter and Escape end the edit; they are not the
// dialog's OK and Cancel then.
void TFileListDlg::FormShortCut(unsigned key, ui::ShiftState shift, bool& handled) {
  if (shift != 0 || (key != VK_RETURN && key != VK_ESCAPE) || !ListView1.Editing()) return;
  const auto editor =
      reinterpret_cast<HWND>(SendMessageW(ListView1.Handle(), LVM_GETEDITCONTROL, 0, 0));
  SendMessageW(editor, WM_KEYDOWN, key, 0);
  handled = true;
}

// The typed text becomes the file's new name in its folder. The same name in
// other letter case, or a text that leaves no name, changes nothing; a rename the
// file system refuses leaves the row as it was and says so.
void TFileListDlg::ListView1Edited(ui::ListView&, std::size_t row, std::string& text,
                                   bool& accept) {
  accept = false;
  if (row >= rows_.size()) return;
  HistoryListRow& r = rows_[row];
  if (SameCaptionIgnoringCase(text, r.caption)) return;
  const std::string base = RenamedBase(text);
  if (base.empty()) return;
  const std::string renamed = RenamedHistoryPath(r.path, base);
  if (renamed != r.path && !fs::MoveFileNoReplace(r.path, renamed)) {
    ui::App().ShowMessage(r.path + "\n" + kRenameFailedMessage);
    ListView1.RefreshRow(row);
    return;
  }
  FollowRename(outcome_.files, r.path, renamed);
  r.caption = base;
  r.path = renamed;
  text = base;
  accept = true;
}

// Every selected file is deleted, from the last selected row up; a file that
// cannot go keeps its row and says so, and the others go on.
void TFileListDlg::Delete1Click(ui::Component&) {
  const std::vector<std::size_t> selected = ListView1.SelectedRows();
  if (selected.empty()) return;
  std::vector<std::size_t> deleted;
  fillPaused_ = true;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    if (*it >= rows_.size()) continue;
    const std::string& path = rows_[*it].path;
    if (fs::DeleteFileAt(path)) {
      deleted.push_back(*it);
      FollowDelete(outcome_.files, path);
    } else {
      ui::App().ShowMessage(path + "\n" + kDeleteFailedMessage);
    }
  }
  fillPaused_ = false;
  std::vector<bool> keptSelected;
  for (std::size_t row : RemoveRowsAt(rows_, deleted))
    keptSelected.push_back(ListView1.Selected(row));
  ListView1.ClearSelection();
  ListView1.SetRowCount(rows_.size());
  ListView1.SelectWhere(
      [&](std::size_t row) { return row < keptSelected.size() && keptSelected[row]; });
  ListView1.Refresh();
}

}  // namespace trovex::results
