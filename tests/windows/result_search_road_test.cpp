// The road of one search from the main window: Start parses the content, the
// pre-count dialog counts the files, the result window shows the rows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "native/hit_lines.h"
#include "app/main_form.h"
#include "platform/text/euc_jp.h"
#include "result_test_support.h"
#include "results/history_file.h"
#include "search/hit_line.h"
#include "shell/msg_cansel_dlg.h"
#include "viewer/input_dlg.h"
#include "main_form_test_support.h"
#include "startup_test_support.h"

namespace trovex::app {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;
using testing::ShellTestFolder;

class ResultSearchRoad : public MainFormTest {};

TEST_F(ResultSearchRoad, StartCountsThenShowsEveryHitAsARow) {
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);  // closing with rows asks to save
  folder_.File("one.txt", "find the needle");
  folder_.File("two.txt", "no hit");
  folder_.File("three.log", "needle first");
  TForm1 form(Environment());
  ModalScript script;
  script.Then([&](ui::Form& dialog) {
    EXPECT_EQ(dialog.Caption(), "検索ファイルの取得");
    EXPECT_NE(dynamic_cast<shell::TMsgCanselDlg*>(&dialog), nullptr);
    EXPECT_FALSE(form.SpeedButton3.Enabled());
  });  // it closes itself when the count is done
  script.Then([&](ui::Form& window) {
    auto& view = static_cast<results::TViewDlg&>(window);
    EXPECT_EQ(form.State.Progress.totalFiles.load(), 3u);
    EXPECT_EQ(form.State.SearchContentList, (std::vector<std::string>{"needle"}));
    EXPECT_TRUE(form.State.UnsavedNewResult);
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    EXPECT_EQ(view.StaticText3.Text(), "3/2件");
    EXPECT_EQ(view.Rows().size(), 2u);
    EXPECT_EQ(form.State.Progress.filesExamined.load(), 3u);
    view.Close();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 2);
  EXPECT_TRUE(form.SpeedButton3.Enabled());
  EXPECT_TRUE(form.State.SearchContentList.empty());
  EXPECT_EQ(form.State.Progress.hitList.Count(), 2u);
  EXPECT_EQ(form.State.Conditions.searchText, "needle");
}

// A typed word is found in files of every encoding, each row's snippet read back
// from the encoding it was found in.
TEST_F(ResultSearchRoad, RowsFromFilesOfEveryEncodingShowReadableSnippets) {
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);
  std::string euc;
  ASSERT_TRUE(text::Cp932ToEucJp("EUC 検索メモ", euc));
  folder_.File("sjis.txt", "SJIS 検索メモ");
  folder_.File("utf8.txt", std::string(reinterpret_cast<const char*>(u8"UTF-8 検索メモ")));
  const std::u16string wide = u"\xFEFFUTF-16 検索メモ";
  folder_.File("utf16.txt",
               std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
  folder_.File("euc.txt", euc);
  folder_.File("none.txt", "nothing here");
  TForm1 form(Environment());
  ModalScript script;
  script.Then([&](ui::Form&) {});
  script.Then([&](ui::Form& window) {
    auto& view = static_cast<results::TViewDlg&>(window);
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    std::vector<std::string> snippets;
    for (const auto& row : view.Rows()) snippets.push_back(row.fileName + ":" + row.content);
    std::sort(snippets.begin(), snippets.end());
    EXPECT_EQ(snippets, (std::vector<std::string>{"euc.txt:検索メモ", "sjis.txt:検索メモ",
                                                  "utf16.txt:検索メモ", "utf8.txt:検索メモ"}));
    view.Close();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("検索")));
  EXPECT_EQ(script.FormsSeen(), 2);
}

// The button itself: the browser's folder and the panel's content, as a user sets them.
TEST_F(ResultSearchRoad, TheStartButtonSearchesTheBrowsersFolderForThePanelsContent) {
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);  // closing with rows asks to save
  folder_.File("a.txt", "xx 検索語");
  folder_.Folder("sub");
  folder_.File("sub\\b.txt", "検索語");
  folder_.File("c.txt", "nothing");
  TForm1 form(Environment());
  form.Browser.ShowFolder(folder_.Root(), true);
  form.Options.Edit1.SetText("検索語");
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    EXPECT_EQ(view.StaticText3.Text(), "3/2件");
    view.Close();
  });
  form.SpeedButton3.Click();
  EXPECT_EQ(script.FormsSeen(), 2);
  std::vector<std::string> lines = HitLines(form.State.Progress.hitList);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines,
            (std::vector<std::string>{search::MakeHitLine(folder_.Root() + "\\a.txt", 3),
                                      search::MakeHitLine(folder_.Root() + "\\sub\\b.txt", 0)}));
}

// Closing a result with rows and answering Yes saves it as a history file in the
// user data folder, the rows in their display order.
TEST_F(ResultSearchRoad, YesAtTheCloseSavesTheResultAsAHistoryFile) {
  folder_.File("b.txt", "needle");
  folder_.File("a.txt", "a needle");
  TForm1 form(Environment());
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDYES);
  ModalScript script;
  script.Then([](ui::Form&) {});
  std::vector<std::string> shown;
  script.Then([&](ui::Form& window) {
    auto& view = static_cast<results::TViewDlg&>(window);
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    for (const results::HitRecord& row : view.Rows()) shown.push_back(search::FormatHitLine(row));
    view.Close();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  ASSERT_EQ(prompts.Log().size(), 1u);
  EXPECT_EQ(prompts.Log()[0].text, "履歴名 [ needle ]\n検索内容を保存しますか？");
  EXPECT_EQ(prompts.Log()[0].caption, "保存確認");
  // An ordinary save points the view button at nothing: only an unattended one does.
  EXPECT_EQ(form.State.Settings.PendingResultsPath, "");
  const std::vector<std::string> files = HistoryFilesIn(form.State.UserDataDir);
  ASSERT_EQ(files.size(), 1u);
  const std::string saved = files[0];
  ASSERT_EQ(saved.rfind(form.State.UserDataDir, 0), 0u) << saved;
  EXPECT_EQ(saved.substr(saved.size() - 4), ".txd");
  const std::optional<results::HistoryContent> content = results::LoadHistoryFile(saved);
  ASSERT_TRUE(content);
  EXPECT_EQ(content->name, "needle");
  EXPECT_EQ(content->searchContents, (std::vector<std::string>{"needle"}));
  EXPECT_EQ(HitLines(content->hits), shown);
  EXPECT_EQ(shown.size(), 2u);
}

// 元に戻す after a row was removed: a new result is rebuilt from its hit list (no
// duplicates); a result with a history file is loaded from the file again.
TEST_F(ResultSearchRoad, UndoBringsBackTheRowsAsFoundOrAsSaved) {
  folder_.File("a.txt", "needle");
  folder_.File("b.txt", "needle");
  folder_.File("c.txt", "needle");
  TForm1 form(Environment());
  // Outside the searched folder: the file holds the content too.
  const std::string historyPath = form.State.UserDataDir + "saved.txd";
  results::HistoryContent saved;
  saved.name = "needle";
  saved.hits = {{folder_.PathOf("b.txt"), 0}};
  saved.searchContents = {"needle"};
  saved.optionBits = results::kHistoryCaseSensitive;
  ASSERT_TRUE(results::WriteHistoryFile(historyPath, saved));

  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    ASSERT_EQ(view.Rows().size(), 3u);
    view.UpdateMenuStates();
    EXPECT_FALSE(view.Undo1.Enabled());  // nothing changed yet
    view.ListView1.SetSelected(0, true);
    view.Delete1Click(view.Delete1);
    view.UpdateMenuStates();
    ASSERT_TRUE(view.Undo1.Enabled());
    view.Undo1Click(view.Undo1);
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    EXPECT_EQ(view.Rows().size(), 3u);
    EXPECT_FALSE(view.Modified);

    // The same once the result has a history file: the file's rows come back,
    // and the file's options are set in the main window while the window is open.
    form.State.OpenHistoryPath = historyPath;
    view.ListView1.SelectAll();
    view.Delete1Click(view.Delete1);
    view.UpdateMenuStates();
    view.Undo1Click(view.Undo1);
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    ASSERT_EQ(view.Rows().size(), 1u);
    EXPECT_EQ(view.Rows()[0].path, folder_.PathOf("b.txt"));
    EXPECT_TRUE(form.Options.BigSmlChkBox.Checked());
    EXPECT_EQ(view.StaticText2.Text(), "needle");
    view.Close();  // a new result with rows: the close asks
  });
  EXPECT_FALSE(form.Options.BigSmlChkBox.Checked());
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_FALSE(form.Options.BigSmlChkBox.Checked());  // the user's own option is back
}

// 履歴名の編集 offers the result's search contents with the current name chosen; OK
// renames, an OK with nothing chosen changes nothing.
TEST_F(ResultSearchRoad, RenameChoosesAnotherSearchContentAndNeverAnEmptyName) {
  folder_.File("a.txt", "needle");
  TForm1 form(Environment());
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    form.State.SearchContentList.push_back("議事録");
    view.UpdateMenuStates();
    ASSERT_TRUE(view.RenameHistory1.Enabled());
    view.RenameHistory1Click(view.RenameHistory1);
    EXPECT_EQ(view.StaticText2.Text(), "議事録");
    EXPECT_TRUE(view.Modified);
    EXPECT_EQ(form.State.Query.displayText, "議事録");
    view.Modified = false;
    view.RenameHistory1Click(view.RenameHistory1);
    EXPECT_EQ(view.StaticText2.Text(), "議事録");
    EXPECT_FALSE(view.Modified);
    view.Close();
  });
  script.Then([](ui::Form& form) {
    auto& dialog = dynamic_cast<viewer::TInputDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "履歴名の変更");
    EXPECT_EQ(dialog.Label2.Caption(), "新しい名前を選択");
    ASSERT_EQ(dialog.ComboBox1.ItemCount(), 2);
    EXPECT_EQ(dialog.ComboBox1.ItemIndex(), 0);  // the current name "needle"
    dialog.ComboBox1.SetItemIndex(1);
    dialog.OKBtn.Click();
  });
  script.Then([](ui::Form& form) {
    auto& dialog = dynamic_cast<viewer::TInputDlg&>(form);
    dialog.ComboBox1.SetItemIndex(-1);
    dialog.OKBtn.Click();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 4);
}

TEST_F(ResultSearchRoad, ACancelledCountOpensNoResultWindowAndEnablesStartAgain) {
  folder_.File("one.txt", "needle");
  TForm1 form(Environment());
  form.State.Progress.hitList.Add({"C:\\earlier.txt", 5});
  ModalScript script;
  script.Then(
      [](ui::Form& dialog) { static_cast<shell::TMsgCanselDlg&>(dialog).CancelBtn.Click(); });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 1);
  EXPECT_TRUE(form.SpeedButton3.Enabled());
  EXPECT_TRUE(form.State.Progress.cancelRequested);
  EXPECT_EQ(HitLines(form.State.Progress.hitList), (std::vector<std::string>{"C:\\earlier.txt=5"}));
}

TEST_F(ResultSearchRoad, AContentThatDoesNotParseShowsItsMessageAndCountsNothing) {
  TForm1 form(Environment());
  ScriptedPrompts prompts;
  prompts.ExpectMessage();
  prompts.ExpectMessage();
  EXPECT_FALSE(form.StartSearch(Locations(), Content("")));
  EXPECT_FALSE(form.StartSearch(Locations(), Content(",300x")));
  EXPECT_EQ(prompts.Texts(), (std::vector<std::string>{"検索する内容が入力されていません。",
                                                       "[300x]\n不正な値が入力されています。"}));
  EXPECT_TRUE(form.SpeedButton3.Enabled());
}

TEST_F(ResultSearchRoad, AnEmptyFolderGivesZeroOverZero) {
  TForm1 form(Environment());
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    EXPECT_EQ(view.StaticText3.Text(), "0/0件");
    EXPECT_TRUE(view.Rows().empty());
    view.Close();  // no rows: nothing is asked
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(form.State.Progress.totalFiles.load(), 0u);
}

TEST_F(ResultSearchRoad, StopDuringTheRunKeepsTheRowsAndClosingReturnsToIdle) {
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);  // closing with rows asks to save
  const int files = result_test::MakeSlowTree(folder_, 3);
  TForm1 form(Environment());
  ModalScript script;
  script.Then([](ui::Form&) {});
  script.Then([&](ui::Form& window) {
    auto& view = static_cast<results::TViewDlg&>(window);
    ASSERT_TRUE(testing::PumpUntil([&] { return view.Rows().size() == 3; }, 10000));
    EXPECT_TRUE(view.HasWorker());
    view.SpeedButton1.Click();
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    EXPECT_FALSE(view.SpeedButton1.Visible());
    EXPECT_EQ(view.Rows().size(), form.State.Progress.hitList.Count());
    EXPECT_GT(view.Rows().size(), 0u);
    EXPECT_LT(form.State.Progress.filesExamined.load(), form.State.Progress.totalFiles.load());
    view.Close();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(form.State.Progress.totalFiles.load(), static_cast<std::uint64_t>(files));
  EXPECT_TRUE(form.SpeedButton3.Enabled());
}

}  // namespace
}  // namespace trovex::app
