// The main window's ビュー button: a result window without a search, loading a
// result that was saved unattended when one is pending.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_form.h"
#include "result_test_support.h"
#include "results/history_file.h"
#include "main_form_test_support.h"
#include "startup_test_support.h"

namespace trovex::app {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;
using testing::ShellTestFolder;

class ViewButton : public MainFormTest {
 protected:
  // A result named `name` with two hits saved in the user data folder.
  std::string SavePending(const TForm1& form, const std::string& name = "pending",
                          int optionBits = 0) {
    folder_.File("a.txt", "xx pending");
    folder_.File("b.txt", "pending");
    results::HistoryContent saved{
        name, {{folder_.PathOf("a.txt"), 3}, {folder_.PathOf("b.txt"), 0}}, {name}, optionBits};
    const std::string path = form.State.UserDataDir + "20261209 101010.txd";
    EXPECT_TRUE(results::WriteHistoryFile(path, saved));
    return path;
  }
};

TEST_F(ViewButton, LoadsThePendingResultOnceAndPutsItsNameInTheContentBox) {
  TForm1 form(Environment());
  const std::string pending = SavePending(form);
  form.State.Settings.PendingResultsFlag = true;
  form.State.Settings.PendingResultsPath = pending;
  form.State.SearchContentList = {"earlier"};
  form.Options.Edit1.SetText("typed");
  ScriptedPrompts prompts;  // a loaded, unchanged result: closing asks nothing
  ModalScript script;
  script.Then([&](ui::Form& window) {
    auto& view = dynamic_cast<results::TViewDlg&>(window);
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    EXPECT_EQ(result_test::Column(view, &results::HitRecord::path),
              (std::vector<std::string>{folder_.PathOf("a.txt"), folder_.PathOf("b.txt")}));
    EXPECT_EQ(view.Rows()[0].content, "pending");
    EXPECT_EQ(view.StaticText2.Text(), "pending");
    EXPECT_FALSE(view.HasWorker());
    EXPECT_EQ(form.State.OpenHistoryPath, pending);
    EXPECT_FALSE(form.State.UnsavedNewResult);
    EXPECT_EQ(form.State.SearchContentList, (std::vector<std::string>{"pending"}));
    view.Close();
  });
  form.SpeedButton7.Click();
  EXPECT_EQ(script.FormsSeen(), 1);
  EXPECT_FALSE(form.State.Settings.PendingResultsFlag);
  EXPECT_EQ(form.State.Settings.PendingResultsPath, "");
  EXPECT_EQ(form.Options.Edit1.Text(), "pending");

  // Pressed again: nothing pending any more, an empty window, the typed text kept.
  form.Options.Edit1.SetText("typed again");
  script.Then([&](ui::Form& window) {
    auto& view = dynamic_cast<results::TViewDlg&>(window);
    EXPECT_FALSE(view.ProducingRows());
    EXPECT_TRUE(view.Rows().empty());
    view.UpdateMenuStates();
    EXPECT_TRUE(view.OpenHistory1.Enabled());
    view.Close();
  });
  form.SpeedButton7.Click();
  EXPECT_EQ(script.FormsSeen(), 2);
  EXPECT_EQ(form.Options.Edit1.Text(), "typed again");
  EXPECT_TRUE(prompts.Log().empty());
}

// The loaded file decides the snippets and, while the window is open, the four
// matching options; the user's own options come back afterwards.
TEST_F(ViewButton, APendingByteListResultShowsByteSnippetsAndTheUsersOptionsComeBack) {
  TForm1 form(Environment());
  const std::string pending = SavePending(form, ",112,101,110", results::kHistoryCaseSensitive);
  form.State.Settings.PendingResultsFlag = true;
  form.State.Settings.PendingResultsPath = pending;
  form.Options.Edit1.SetText("typed text");
  ASSERT_FALSE(form.Options.BigSmlChkBox.Checked());
  ModalScript script;
  script.Then([&](ui::Form& window) {
    auto& view = dynamic_cast<results::TViewDlg&>(window);
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    ASSERT_EQ(view.Rows().size(), 2u);
    EXPECT_EQ(view.Rows()[0].content, "70,65,6E,64,69,6E,67");
    EXPECT_TRUE(form.Options.BigSmlChkBox.Checked());  // the file's options while it is open
    view.Close();
  });
  form.SpeedButton7.Click();
  EXPECT_EQ(script.FormsSeen(), 1);
  EXPECT_FALSE(form.Options.BigSmlChkBox.Checked());
  EXPECT_EQ(form.Options.Edit1.Text(), ",112,101,110");
}

TEST_F(ViewButton, APendingResultThatIsGoneLeavesAnEmptyWindowAndIsForgotten) {
  TForm1 form(Environment());
  form.State.Settings.PendingResultsFlag = true;
  form.State.Settings.PendingResultsPath = form.State.UserDataDir + "vanished.txd";
  form.Options.Edit1.SetText("typed");
  ModalScript script;
  script.Then([&](ui::Form& window) {
    auto& view = dynamic_cast<results::TViewDlg&>(window);
    EXPECT_FALSE(view.ProducingRows());
    EXPECT_TRUE(view.Rows().empty());
    view.Close();
  });
  form.SpeedButton7.Click();
  EXPECT_EQ(script.FormsSeen(), 1);
  EXPECT_FALSE(form.State.Settings.PendingResultsFlag);
  EXPECT_EQ(form.State.Settings.PendingResultsPath, "");
  EXPECT_EQ(form.Options.Edit1.Text(), "typed");
}

}  // namespace
}  // namespace trovex::app
