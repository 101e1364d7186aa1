#pragma once
// TFileListDlg: the history list ("検索履歴の管理"). Shows the search history files
// of the user data folder; OK opens the chosen one into the result window, the
// first column renames a file in place and the context menu deletes files. It
// gets what it needs as values and hands back what the user did (Outcome()).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/posted_step.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/timer.h"
#include "results/history_list.h"

namespace trovex::results {

struct HistoryListSetup {
  std::string userDataDir;  // the folder of the history files
  int colorDepth = 0;       // the screen's bits per pixel (the list's tint)
  HistoryFileRefs files;    // the files the owner's bookkeeping names
  HistoryListSortDirections sortDirections;
  // Loads the history file at `path` into the result (the main window's
  // OpenHistory); false when nothing could be loaded.
  std::function<bool(const std::string& path, bool clearContents)> openHistory;
};

class TFileListDlg : public ui::Form {
 public:
  TFileListDlg(ui::Form* owner, HistoryListSetup setup);

  static constexpr int kClientWidth = 560;
  static constexpr int kClientHeight = 320;
  static constexpr int kButtonGap = 8;  // between each button and the middle
  // The longest the files are read before the dialog answers messages again.
  static constexpr int kFillMilliseconds = 25;

  ui::ListView ListView1;
  ui::Button OKBtn;
  ui::Button CancelBtn;
  ui::StatusBar Panel2;
  ui::PopupMenu PopupMenu1;
  ui::MenuItem Edit1{"編集"};
  ui::MenuItem N1{"-"};
  ui::MenuItem Delete1{"削除"};
  ui::Timer FillTimer;  // goes on reading the files while input waits

  // The files are still being read: the dialog shows the rows read so far.
  bool Filling() const { return reader_ != nullptr; }

  const std::vector<HistoryListRow>& Rows() const { return rows_; }
  // What the user did so far: the file opened, the referred files renamed or
  // deleted, the sort directions.
  const HistoryListOutcome& Outcome() const { return outcome_; }
  // Whether the next in-place edit may start (set by where the mouse went down).
  bool EditAllowed() const { return editAllowed_; }

  void OKBtnClick(ui::Component& sender);
  void ListView1ColumnClick(ui::ListView& sender, int column);
  void ListView1MouseDown(ui::Component& sender, ui::MouseButton button, ui::ShiftState shift,
                          int x, int y);
  void ListView1Editing(ui::ListView& sender, std::size_t row, bool& allow);
  void ListView1Edited(ui::ListView& sender, std::size_t row, std::string& text, bool& accept);
  void Edit1Click(ui::Component& sender);
  void Delete1Click(ui::Component& sender);

 protected:
  void FormShow() override;
  void FormClose(ui::CloseAction& action) override;
  void FormDestroy() override;
  void FormResize() override;
  void FormShortCut(unsigned key, ui::ShiftState shift, bool& handled) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls();
  // Reads files for at most kFillMilliseconds; asks for the next batch when more wait.
  void FillSome();
  std::string CellText(std::size_t row, int column) const;
  std::function<bool(const std::string& path, bool clearContents)> openHistory_;
  HistoryListOutcome outcome_;
  std::vector<HistoryListRow> rows_;
  std::unique_ptr<HistoryListReader> reader_;
  ui::PostedStep fillStep_{WM_APP + 22};  // the next files read before the timer's next tick
  // A delete's failure message runs a message loop: no rows may come meanwhile.
  bool fillPaused_ = false;
  bool editAllowed_ = false;
  ui::HintHandlerGuard hint_;  // the status line shows the hints while the dialog is open
};

}  // namespace trovex::results
