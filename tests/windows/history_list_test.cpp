// The history list TFileListDlg over a folder of history files: its rows, sorting,
// the in-place rename, 削除 and OK.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/wide_text.h"
#include "app/history_list_steps.h"
#include "results/file_list_dlg.h"
#include "results/history_file.h"
#include "shell_test_folder.h"
#include "windows/support/ui_script.h"

namespace trovex::results {
namespace {

using testing::ScriptedPrompts;
using testing::ShellTestFolder;
using Lines = std::vector<std::string>;

std::string HistoryText(const std::string& name, int hits) {
  HistoryContent content{name, {}, {name}, 0};
  for (int i = 0; i < hits; ++i)
    content.hits.push_back(
        {"C:\\d\\f" + std::to_string(i) + ".txt", static_cast<std::uint64_t>(i)});
  return HistoryFileText(content);
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(os::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CellOf(const ui::ListView& list, int row, int column) {
  wchar_t text[260] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 260;
  SendMessageW(list.Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
  return os::Narrow(text);
}

// The list over `state`, as the main window gives it.
HistoryListSetup SetupOf(const ProgramState& state,
                         std::function<bool(const std::string&, bool)> openHistory) {
  return {state.UserDataDir, state.ColorDepth, app::HistoryFileRefsOf(state),
          state.HistoryListDirections, std::move(openHistory)};
}

class HistoryList : public ::testing::Test {
 protected:
  HistoryList() {
    state_.UserDataDir = folder_.Root() + "\\";
    state_.ColorDepth = 32;
  }

  // The dialog over the folder, shown (not modally); OK's loads are recorded.
  ui::FormPtr<TFileListDlg> Open() {
    auto dialog = ui::MakeForm<TFileListDlg>(
        nullptr, SetupOf(state_, [this](const std::string& path, bool clear) {
          loads_.push_back(path + (clear ? " clear" : ""));
          return true;
        }));
    dialog->Show();
    EXPECT_TRUE(testing::PumpUntil([&] { return !dialog->Filling(); }, 10000));
    return dialog;
  }

  std::size_t RowOf(const TFileListDlg& dialog, const std::string& caption) {
    for (std::size_t i = 0; i < dialog.Rows().size(); ++i) {
      if (dialog.Rows()[i].caption == caption) return i;
    }
    ADD_FAILURE() << "no row " << caption;
    return 0;
  }

  // Types `text` into the in-place editor of `row` (opened from 編集) and ends it
  // with Enter.
  void Rename(TFileListDlg& dialog, std::size_t row, const std::string& text) {
    dialog.ListView1.ClearSelection();
    dialog.ListView1.SetSelected(row, true);
    dialog.Edit1Click(dialog.Edit1);
    HWND edit =
        reinterpret_cast<HWND>(SendMessageW(dialog.ListView1.Handle(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, os::Widen(text).c_str());
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(dialog.ListView1.Editing());
  }

  void MouseDownAt(TFileListDlg& dialog, int x) {
    dialog.ListView1.OnMouseDown(dialog.ListView1, ui::MouseButton::Left, 0, x, 5);
  }

  ShellTestFolder folder_;
  ProgramState state_;
  Lines loads_;
};

TEST_F(HistoryList, OnlyVisibleHistoryFilesBecomeRowsWithTheirNameCountAndDate) {
  folder_.File("20261207 125300.txd", HistoryText("needle", 3));
  folder_.File("errlog.txt", "log");
  folder_.Folder("sub");
  folder_.Folder("folder.txd");
  SetFileAttributesW(os::Widen(folder_.File("hidden.txd", HistoryText("h", 1))).c_str(),
                     FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(os::Widen(folder_.File("system.TXD", HistoryText("s", 1))).c_str(),
                     FILE_ATTRIBUTE_SYSTEM);
  auto dialog = Open();
  EXPECT_EQ(dialog->Caption(), "検索履歴の管理");
  ASSERT_EQ(dialog->ListView1.RowCount(), 1u);
  EXPECT_EQ(CellOf(dialog->ListView1, 0, 0), "20261207 125300");
  EXPECT_EQ(CellOf(dialog->ListView1, 0, 1), "needle");
  EXPECT_EQ(CellOf(dialog->ListView1, 0, 2), "3");
  const std::string date = CellOf(dialog->ListView1, 0, 3);
  ASSERT_EQ(date.size(), 19u) << date;
  EXPECT_EQ(date.substr(4, 1) + date.substr(7, 1) + date.substr(13, 1) + date.substr(16, 1),
            "//::");
  EXPECT_EQ(dialog->Rows()[0].path, folder_.PathOf("20261207 125300.txd"));
}

TEST_F(HistoryList, OddRowsAreTintedTheButtonsKeepToTheMiddleAndTheStatusLineShowsHints) {
  for (const char* name : {"a.txd", "b.txd", "c.txd"}) folder_.File(name, HistoryText(name, 1));
  ui::App().OnHint = nullptr;
  std::string previous;
  ui::App().SetHintHandler(nullptr, [&](const std::string& hint) { previous = hint; });
  {
    auto dialog = Open();
    ASSERT_TRUE(dialog->ListView1.OnRowColor);
    EXPECT_EQ(dialog->ListView1.OnRowColor(0), ui::clNone);
    EXPECT_EQ(dialog->ListView1.OnRowColor(1), RGB(240, 243, 251));
    EXPECT_EQ(dialog->ListView1.OnRowColor(2), ui::clNone);

    for (int width : {600, 431}) {
      dialog->SetBounds(dialog->Left(), dialog->Top(), width, dialog->Height());
      EXPECT_EQ(dialog->OKBtn.Left(), width / 2 - dialog->OKBtn.Width() - 8);
      EXPECT_EQ(dialog->CancelBtn.Left(), width / 2 + 8);
    }

    ui::App().SetHint("選択した履歴を開く");
    EXPECT_EQ(dialog->Panel2.PanelText(0), " 選択した履歴を開く");
    EXPECT_EQ(dialog->OKBtn.Hint(), "開く|選択した履歴を開く");
    dialog->Close();
  }
  // The handler that was there before comes back.
  ASSERT_TRUE(ui::App().OnHint);
  ui::App().OnHint("back");
  EXPECT_EQ(previous, "back");
  ui::App().OnHint = nullptr;
}

TEST_F(HistoryList, SortingUsesTheProgramsDirectionsAndCountsByNumber) {
  folder_.File("x.txd", HistoryText("x", 10));
  folder_.File("y.txd", HistoryText("y", 9));
  folder_.File("z.txd", HistoryText("z", 100));
  const auto counts = [](const TFileListDlg& dialog) {
    Lines texts;
    for (int row = 0; row < 3; ++row) texts.push_back(CellOf(dialog.ListView1, row, 2));
    return texts;
  };
  {
    auto dialog = Open();
    dialog->ListView1.SetSelected(RowOf(*dialog, "z"), true);
    dialog->ListView1ColumnClick(dialog->ListView1, kListColHitCount);
    EXPECT_EQ(counts(*dialog), (Lines{"9", "10", "100"}));
    EXPECT_EQ(dialog->ListView1.SelectedRows(),
              (std::vector<std::size_t>{2}));  // the selection moves along
    // The directions are the program's: its main window keeps them at the close.
    app::ApplyHistoryListOutcome(dialog->Outcome(), state_);
  }
  // The next list of the run goes on with the direction the first one left.
  auto second = Open();
  second->ListView1ColumnClick(second->ListView1, kListColHitCount);
  EXPECT_EQ(counts(*second), (Lines{"100", "10", "9"}));
  second->ListView1ColumnClick(second->ListView1, kListColFileName);
  EXPECT_EQ(CellOf(second->ListView1, 0, 0), "x");
  second->ListView1ColumnClick(second->ListView1, kListColFileName);
  EXPECT_EQ(CellOf(second->ListView1, 0, 0), "z");
}

TEST_F(HistoryList, TheEditorOpensOnlyAfterAPressInTheFirstColumnOrFromTheMenu) {
  folder_.File("one.txd", HistoryText("one", 1));
  auto dialog = Open();
  ui::ListView& list = dialog->ListView1;
  list.SetSelected(0, true);
  MouseDownAt(*dialog, list.ColumnWidth(0) + 10);
  EXPECT_FALSE(list.EditCaption(0));
  MouseDownAt(*dialog, list.ColumnWidth(0) - 2);
  ASSERT_TRUE(list.EditCaption(0));
  SendMessageW(reinterpret_cast<HWND>(SendMessageW(list.Handle(), LVM_GETEDITCONTROL, 0, 0)),
               WM_KEYDOWN, VK_ESCAPE, 0);
  MouseDownAt(*dialog, list.ColumnWidth(0) + 10);
  dialog->Edit1Click(dialog->Edit1);  // 編集 allows it whatever the mouse did
  EXPECT_TRUE(list.Editing());
  SendMessageW(reinterpret_cast<HWND>(SendMessageW(list.Handle(), LVM_GETEDITCONTROL, 0, 0)),
               WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(Exists(folder_.PathOf("one.txd")));
}

// Keys typed while a name is edited go through the program's message loop: Enter
// and Escape end the edit and are not the dialog's OK and Cancel.
TEST_F(HistoryList, EnterAndEscapeInTheEditorEndTheEditNotTheDialog) {
  folder_.File("one.txd", HistoryText("one", 1));
  auto dialog = Open();
  ui::ListView& list = dialog->ListView1;
  const auto typeAndPress = [&](const wchar_t* text, WPARAM key) {
    list.SetSelected(0, true);
    dialog->Edit1Click(dialog->Edit1);
    HWND edit = reinterpret_cast<HWND>(SendMessageW(list.Handle(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, text);
    PostMessageW(edit, WM_KEYDOWN, key, 0);
    EXPECT_TRUE(testing::PumpUntil([&] { return !list.Editing(); }));
  };
  typeAndPress(L"dropped", VK_ESCAPE);
  EXPECT_TRUE(Exists(folder_.PathOf("one.txd")));
  EXPECT_EQ(dialog->ModalResult(), ui::mrNone);
  EXPECT_TRUE(dialog->Visible());
  typeAndPress(L"kept", VK_RETURN);
  EXPECT_TRUE(Exists(folder_.PathOf("kept.txd")));
  EXPECT_EQ(dialog->ModalResult(), ui::mrNone);
  EXPECT_TRUE(loads_.empty());
  EXPECT_TRUE(dialog->Visible());
}

TEST_F(HistoryList, RenamingReplacesWhatANameCannotHoldAndDropsATypedExtension) {
  folder_.File("20261207 125300.txd", HistoryText("needle", 2));
  folder_.File("second.txd", HistoryText("other", 1));
  auto dialog = Open();
  Rename(*dialog, RowOf(*dialog, "20261207 125300"), "a:b?c");
  EXPECT_TRUE(Exists(folder_.PathOf("a：b？c.txd")));
  EXPECT_FALSE(Exists(folder_.PathOf("20261207 125300.txd")));
  const std::size_t renamed = RowOf(*dialog, "a：b？c");
  EXPECT_EQ(CellOf(dialog->ListView1, static_cast<int>(renamed), 0), "a：b？c");
  EXPECT_EQ(dialog->Rows()[renamed].path, folder_.PathOf("a：b？c.txd"));

  Rename(*dialog, RowOf(*dialog, "second"), "final.old");
  EXPECT_TRUE(Exists(folder_.PathOf("final.txd")));
  EXPECT_FALSE(Exists(folder_.PathOf("final.old.txd")));
  EXPECT_EQ(dialog->Rows()[RowOf(*dialog, "final")].path, folder_.PathOf("final.txd"));
}

TEST_F(HistoryList, TheSameNameInOtherLetterCaseChangesNothing) {
  folder_.File("Result.txd", HistoryText("r", 1));
  auto dialog = Open();
  Rename(*dialog, 0, "rESULT");
  EXPECT_EQ(dialog->Rows()[0].caption, "Result");
  EXPECT_EQ(dialog->Rows()[0].path, folder_.PathOf("Result.txd"));
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW(os::Widen(folder_.PathOf("*.txd")).c_str(), &found);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  FindClose(find);
  EXPECT_EQ(os::Narrow(found.cFileName), "Result.txd");
}

// A name that is taken: the file system refuses, the row keeps its old name and
// a message says so; nothing else moves.
TEST_F(HistoryList, ARefusedRenameKeepsTheRowAndSaysSo) {
  folder_.File("first.txd", HistoryText("1", 1));
  folder_.File("taken.txd", HistoryText("2", 2));
  state_.OpenHistoryPath = folder_.PathOf("first.txd");
  auto dialog = Open();
  ScriptedPrompts prompts;
  prompts.ExpectMessage();
  const std::size_t row = RowOf(*dialog, "first");
  Rename(*dialog, row, "taken");
  EXPECT_EQ(prompts.Texts(),
            (Lines{folder_.PathOf("first.txd") + "\nファイル名の変更に失敗しました。"}));
  EXPECT_EQ(dialog->Rows()[row].caption, "first");
  EXPECT_EQ(CellOf(dialog->ListView1, static_cast<int>(row), 0), "first");
  EXPECT_EQ(dialog->Rows()[row].path, folder_.PathOf("first.txd"));
  app::ApplyHistoryListOutcome(dialog->Outcome(), state_);
  EXPECT_EQ(state_.OpenHistoryPath, folder_.PathOf("first.txd"));
  EXPECT_EQ(results::LoadHistoryFile(folder_.PathOf("taken.txd"))->name, "2");
}

TEST_F(HistoryList, AfterARenameOkOpensAndDeleteRemovesTheRenamedFile) {
  folder_.File("old.txd", HistoryText("n", 1));
  auto dialog = Open();
  Rename(*dialog, 0, "new");
  dialog->ListView1.SetSelected(0, true);
  dialog->OKBtnClick(dialog->OKBtn);
  EXPECT_EQ(dialog->ModalResult(), ui::mrOk);
  EXPECT_EQ(loads_, (Lines{folder_.PathOf("new.txd")}));

  dialog->SetModalResult(ui::mrNone);
  dialog->ListView1.SetSelected(0, true);
  dialog->Delete1Click(dialog->Delete1);
  EXPECT_FALSE(Exists(folder_.PathOf("new.txd")));
  EXPECT_EQ(dialog->ListView1.RowCount(), 0u);
}

TEST_F(HistoryList, OkWithNoRowSelectedLoadsNothingAndEndsAsCancel) {
  folder_.File("a.txd", HistoryText("a", 1));
  auto dialog = Open();
  dialog->ListView1.ClearSelection();
  dialog->OKBtnClick(dialog->OKBtn);
  EXPECT_EQ(dialog->ModalResult(), ui::mrCancel);
  EXPECT_TRUE(loads_.empty());
}

TEST_F(HistoryList, ReadOnlyFilesStayWithAMessageEachWhileTheOthersGo) {
  const std::string first = folder_.File("a.txd", HistoryText("a", 1));
  folder_.File("b.txd", HistoryText("b", 1));
  const std::string third = folder_.File("c.txd", HistoryText("c", 1));
  SetFileAttributesW(os::Widen(first).c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(os::Widen(third).c_str(), FILE_ATTRIBUTE_READONLY);
  auto dialog = Open();
  ScriptedPrompts prompts;
  prompts.ExpectMessage();
  prompts.ExpectMessage();
  const std::vector<HistoryListRow> before = dialog->Rows();
  dialog->ListView1.SelectAll();
  dialog->Delete1Click(dialog->Delete1);
  // One message per file that stayed, from the last selected row up.
  Lines expected;
  for (auto row = before.rbegin(); row != before.rend(); ++row) {
    if (row->path == first || row->path == third)
      expected.push_back(row->path + "\nファイルの削除に失敗しました。");
  }
  EXPECT_EQ(prompts.Texts(), expected);
  Lines captions;
  for (const HistoryListRow& row : dialog->Rows()) captions.push_back(row.caption);
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (Lines{"a", "c"}));
  EXPECT_EQ(dialog->ListView1.RowCount(), 2u);
  EXPECT_TRUE(Exists(first));
  EXPECT_TRUE(Exists(third));
  EXPECT_FALSE(Exists(folder_.PathOf("b.txd")));
}

// The result open in the result window keeps track of its file: a rename takes
// its path along, a delete makes it a new result again (closing offers to save it).
TEST_F(HistoryList, TheOpenResultFollowsARenameAndBecomesNewWhenItsFileIsDeleted) {
  folder_.File("open.txd", HistoryText("o", 1));
  folder_.File("pending.txd", HistoryText("p", 1));
  state_.OpenHistoryPath = folder_.PathOf("open.txd");
  state_.UnsavedNewResult = false;
  state_.Settings.PendingResultsPath = folder_.PathOf("pending.txd");
  state_.Settings.PendingResultsFlag = true;
  auto dialog = Open();
  // What the list did so far, applied as the main window applies it at its close.
  const auto apply = [&] { app::ApplyHistoryListOutcome(dialog->Outcome(), state_); };
  Rename(*dialog, RowOf(*dialog, "open"), "renamed");
  apply();
  EXPECT_EQ(state_.OpenHistoryPath, folder_.PathOf("renamed.txd"));
  Rename(*dialog, RowOf(*dialog, "pending"), "later");
  apply();
  EXPECT_EQ(state_.Settings.PendingResultsPath, folder_.PathOf("later.txd"));
  EXPECT_EQ(state_.OpenHistoryPath, folder_.PathOf("renamed.txd"));

  dialog->ListView1.ClearSelection();
  dialog->ListView1.SetSelected(RowOf(*dialog, "renamed"), true);
  dialog->Delete1Click(dialog->Delete1);
  apply();
  EXPECT_EQ(state_.OpenHistoryPath, "");
  EXPECT_TRUE(state_.UnsavedNewResult);
  EXPECT_TRUE(state_.Settings.PendingResultsFlag);
  dialog->ListView1.ClearSelection();
  dialog->ListView1.SetSelected(RowOf(*dialog, "later"), true);
  dialog->Delete1Click(dialog->Delete1);
  apply();
  EXPECT_EQ(state_.Settings.PendingResultsPath, "");
  EXPECT_FALSE(state_.Settings.PendingResultsFlag);
}

}  // namespace
}  // namespace trovex::results

namespace trovex::results {
namespace {

// A message that, like the system's message box, handles the window's messages
// while it is shown.
class PumpingPrompts : public testing::ScriptedPrompts {
 public:
  void ShowMessage(const std::string& text) override {
    const DWORD until = GetTickCount() + 150;
    while (GetTickCount() < until) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(1);
    }
    ScriptedPrompts::ShowMessage(text);
  }
};

// While the files are still being read, a delete's failure messages let no rows
// in underneath it, and no name can be edited.
TEST_F(HistoryList, WhileTheListFillsDeleteKeepsEveryRowAndRenameIsRefused) {
  constexpr int kFiles = 400;
  // The folder goes at the end of the test: its files must be writable again.
  struct Writable {
    ShellTestFolder& folder;
    ~Writable() {
      for (int i = 0; i < kFiles; ++i)
        SetFileAttributesW(os::Widen(folder.PathOf("h" + std::to_string(i) + ".txd")).c_str(),
                           FILE_ATTRIBUTE_NORMAL);
    }
  } writable{folder_};
  for (int i = 0; i < kFiles; ++i) {
    const std::string path =
        folder_.File("h" + std::to_string(i) + ".txd", HistoryText("h" + std::to_string(i), 1));
    SetFileAttributesW(os::Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
  }
  auto dialog = ui::MakeForm<TFileListDlg>(
      nullptr, SetupOf(state_, [](const std::string&, bool) { return true; }));
  dialog->Show();
  // One message at a time: the first batches of rows, not the whole fill.
  for (const DWORD until = GetTickCount() + 10000;
       dialog->Rows().size() < 2 && GetTickCount() < until;) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&msg);
    else
      Sleep(1);
  }
  ASSERT_GE(dialog->Rows().size(), 2u);
  if (!dialog->Filling()) GTEST_SKIP() << "the list filled before the test could act";
  dialog->ListView1.ClearSelection();
  dialog->ListView1.SetSelected(0, true);
  dialog->Edit1Click(dialog->Edit1);
  EXPECT_FALSE(dialog->ListView1.Editing());

  PumpingPrompts prompts;
  prompts.ExpectMessage();
  prompts.ExpectMessage();
  const std::size_t before = dialog->Rows().size();
  dialog->ListView1.SetSelected(1, true);
  dialog->Delete1Click(dialog->Delete1);
  EXPECT_EQ(prompts.Log().size(), 2u);
  EXPECT_EQ(dialog->Rows().size(), before) << "rows came in while the messages were shown";
  ASSERT_TRUE(testing::PumpUntil([&] { return !dialog->Filling(); }, 20000));
  std::vector<std::string> captions;
  for (const HistoryListRow& row : dialog->Rows()) captions.push_back(row.caption);
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(std::unique(captions.begin(), captions.end()), captions.end());
  EXPECT_EQ(captions.size(), static_cast<std::size_t>(kFiles));
  EXPECT_EQ(dialog->ListView1.RowCount(), static_cast<std::size_t>(kFiles));
}

}  // namespace
}  // namespace trovex::results
