// 検索履歴を開く in the result window: the save question first, then the history
// list; its OK loads the chosen file into the window.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_form.h"
#include "result_test_support.h"
#include "results/file_list_dlg.h"
#include "results/history_file.h"
#include "main_form_test_support.h"
#include "startup_test_support.h"

namespace trovex::app {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;
using testing::ShellTestFolder;

class HistoryOpen : public MainFormTest {
 protected:
  // A saved result "other" with one hit, case-sensitive, in the user data folder.
  std::string SaveOther(const TForm1& form) {
    results::HistoryContent saved{
        "other", {{folder_.PathOf("b.txt"), 3}}, {"other"}, results::kHistoryCaseSensitive};
    const std::string path = form.State.UserDataDir + "saved.txd";
    EXPECT_TRUE(results::WriteHistoryFile(path, saved));
    return path;
  }
};

std::size_t RowOf(const results::TFileListDlg& list, const std::string& caption) {
  for (std::size_t i = 0; i < list.Rows().size(); ++i) {
    if (list.Rows()[i].caption == caption) return i;
  }
  ADD_FAILURE() << "no row " << caption;
  return ui::ListView::npos;
}

TEST_F(HistoryOpen, OkLoadsTheChosenFileAfterTheSaveQuestion) {
  folder_.File("a.txt", "needle");
  folder_.File("b.txt", "the other");
  TForm1 form(Environment());
  const std::string saved = SaveOther(form);
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);  // the new result: save it first?
  ModalScript script;
  script.Then([](ui::Form&) {});
  script.Then([&](ui::Form& window) {
    auto& view = static_cast<results::TViewDlg&>(window);
    view.UpdateMenuStates();
    EXPECT_FALSE(view.OpenHistory1.Enabled());  // not while the run lasts
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    view.UpdateMenuStates();
    ASSERT_TRUE(view.OpenHistory1.Enabled());
    view.OpenHistory1Click(view.OpenHistory1);
    EXPECT_EQ(prompts.Texts(),
              (std::vector<std::string>{"履歴名 [ needle ]\n検索内容を保存しますか？"}));
    EXPECT_TRUE(view.ProducingRows());
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    ASSERT_EQ(view.Rows().size(), 1u);
    EXPECT_EQ(view.Rows()[0].path, folder_.PathOf("b.txt"));
    EXPECT_EQ(search::HitOffsetText(view.Rows()[0]), "3");
    EXPECT_EQ(view.ContentText, "other");
    EXPECT_EQ(view.StaticText2.Text(), "other");
    EXPECT_EQ(view.StaticText2.Hint(), "履歴名|履歴の検索した内容");
    EXPECT_EQ(view.StaticText3.Text(), "1/1件");
    EXPECT_FALSE(view.Modified);
    EXPECT_FALSE(form.State.UnsavedNewResult);
    EXPECT_EQ(form.State.OpenHistoryPath, saved);
    EXPECT_TRUE(form.Options.BigSmlChkBox.Checked());
    // The search contents of the window's result and the file's name.
    EXPECT_EQ(form.State.SearchContentList, (std::vector<std::string>{"needle", "other"}));
    view.Close();  // a loaded result, unchanged: nothing is asked
  });
  script.Then([&](ui::Form& dialog) {
    auto& list = dynamic_cast<results::TFileListDlg&>(dialog);
    ASSERT_TRUE(testing::PumpUntil([&] { return !list.Filling(); }, 10000));
    EXPECT_EQ(list.Caption(), "検索履歴の管理");
    list.ListView1.SetSelected(RowOf(list, "saved"), true);
    list.OKBtn.Click();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 3);
  EXPECT_EQ(prompts.Log().size(), 1u);
  EXPECT_FALSE(form.Options.BigSmlChkBox.Checked());
}

// Cancel, and OK with nothing chosen, leave the window's result as it was.
TEST_F(HistoryOpen, CancelOrOkWithoutARowKeepsTheResult) {
  folder_.File("a.txt", "needle");
  TForm1 form(Environment());
  SaveOther(form);
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);
  prompts.ExpectMessageBox(IDNO);
  prompts.ExpectMessageBox(IDNO);  // and at the close: still a new result
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    for (int i = 0; i < 2; ++i) {
      view.OpenHistory1Click(view.OpenHistory1);
      EXPECT_FALSE(view.ProducingRows());
      ASSERT_EQ(view.Rows().size(), 1u);
      EXPECT_EQ(view.Rows()[0].path, folder_.PathOf("a.txt"));
      EXPECT_EQ(view.StaticText2.Text(), "needle");
      EXPECT_TRUE(form.State.UnsavedNewResult);
      EXPECT_EQ(form.State.OpenHistoryPath, "");
    }
    view.Close();
  });
  script.Then(
      [](ui::Form& dialog) { dynamic_cast<results::TFileListDlg&>(dialog).CancelBtn.Click(); });
  script.Then([](ui::Form& dialog) {
    auto& list = dynamic_cast<results::TFileListDlg&>(dialog);
    ASSERT_TRUE(testing::PumpUntil([&] { return !list.Filling(); }, 10000));
    list.ListView1.ClearSelection();
    list.OKBtn.Click();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 4);
}

// With every row removed the question is still asked; Yes saves a result without
// hits, which the list then shows.
TEST_F(HistoryOpen, YesForAResultWithoutRowsSavesItAndTheListShowsIt) {
  folder_.File("a.txt", "needle");
  TForm1 form(Environment());
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDYES);
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    view.ListView1.SelectAll();
    view.Delete1Click(view.Delete1);
    ASSERT_TRUE(view.Rows().empty());
    view.OpenHistory1Click(view.OpenHistory1);
    EXPECT_EQ(prompts.Texts(),
              (std::vector<std::string>{"履歴名 [ needle ]\n変更した検索内容を保存しますか？"}));
    view.Close();
  });
  script.Then([&](ui::Form& dialog) {
    auto& list = dynamic_cast<results::TFileListDlg&>(dialog);
    ASSERT_TRUE(testing::PumpUntil([&] { return !list.Filling(); }, 10000));
    ASSERT_EQ(list.Rows().size(), 1u);
    EXPECT_EQ(std::vector<std::string>{list.Rows()[0].path},
              HistoryFilesIn(form.State.UserDataDir));
    EXPECT_EQ(list.Rows()[0].historyName, "needle");
    EXPECT_EQ(list.Rows()[0].hitCountText, "0");
    list.CancelBtn.Click();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 3);
}

// A byte-list result opened into a window that showed a text search shows byte
// snippets: the loaded file's name decides them, not the window's first content.
TEST_F(HistoryOpen, AByteListResultOpenedOverATextResultShowsBytes) {
  folder_.File("a.txt", "needle");
  folder_.File("b.txt", "the other");
  TForm1 form(Environment());
  results::HistoryContent saved{",116,104", {{folder_.PathOf("b.txt"), 0}}, {",116,104"}, 0};
  ASSERT_TRUE(results::WriteHistoryFile(form.State.UserDataDir + "bytes.txd", saved));
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    ASSERT_EQ(view.Rows().size(), 1u);
    EXPECT_EQ(view.Rows()[0].content, "needle");
    view.OpenHistory1Click(view.OpenHistory1);
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    ASSERT_EQ(view.Rows().size(), 1u);
    EXPECT_EQ(view.Rows()[0].content, "74,68,65,20,6F,74,68,65,72");
    view.Close();
  });
  script.Then([&](ui::Form& dialog) {
    auto& list = dynamic_cast<results::TFileListDlg&>(dialog);
    ASSERT_TRUE(testing::PumpUntil([&] { return !list.Filling(); }, 10000));
    list.ListView1.SetSelected(RowOf(list, "bytes"), true);
    list.OKBtn.Click();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 3);
}

}  // namespace
}  // namespace trovex::app
