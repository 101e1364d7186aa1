#pragma once
// TFileListDlg: the history list ("検索履歴の管理"). Shows the search history files
// of the user data folder; OK opens the chosen one into the result window, the
// first column renames a file in place and the context menu deletes files.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/status_bar.h"
#include "results/history_list.h"
#include "results/program_state.h"

namespace trovex::results {

class TFileListDlg : public ui::Form {
 public:
  // Loads the history file at `path` into the result (the main window's
  // OpenHistory); false when nothing could be loaded.
  using OpenHistoryFn = std::function<bool(const std::string& path, bool clearContents)>;

  TFileListDlg(ui::Form* owner, ProgramState& state, OpenHistoryFn openHistory);

  static constexpr int kClientWidth = 560;
  static constexpr int kClientHeight = 320;
  static constexpr int kButtonGap = 8;  // between each button and the middle

  ui::ListView ListView1;
  ui::Button OKBtn;
  ui::Button CancelBtn;
  ui::StatusBar Panel2;
  ui::PopupMenu PopupMenu1;
  ui::MenuItem Edit1{"編集"};
  ui::MenuItem N1{"-"};
  ui::MenuItem Delete1{"削除"};

  const std::vector<HistoryListRow>& Rows() const { return rows_; }
  // Whether the next in-place edit may start (set by where the mouse went down).
  bool EditAllowed() const { return editAllowed_; }

  void OKBtnClick(ui::Component& sender);
  void ListView1ColumnClick(ui::ListView& sender, int column);
  void ListView1MouseDown(ui::Component& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void ListView1Editing(ui::ListView& sender, std::size_t row, bool& allow);
  void ListView1Edited(ui::ListView& sender, std::size_t row, std::string& text, bool& accept);
  void Edit1Click(ui::Component& sender);
  void Delete1Click(ui::Component& sender);

 protected:
  void FormClose(ui::CloseAction& action) override;
  void FormDestroy() override;
  void FormResize() override;

 private:
  void BuildControls();
  void FillRows();
  void RestoreHintHandler();
  std::string CellText(std::size_t row, int column) const;
  // The program's bookkeeping follows a renamed or deleted file.
  void FileRenamed(const std::string& from, const std::string& to);
  void FileDeleted(const std::string& path);

  ProgramState& state_;
  OpenHistoryFn openHistory_;
  std::vector<HistoryListRow> rows_;
  bool editAllowed_ = false;
  // The hint handler that was there before this dialog's, and the form it came with.
  std::function<void(const std::string&)> previousHint_;
  ui::Form* hintOwner_;
  bool hintRestored_ = false;
};

}  // namespace trovex::results
