// A search by regular expression from the main window: the pattern's matches as
// rows, the viewer highlighting each match whole, a refine by pattern, the save,
// and the history reopening as a pattern.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "native/hit_lines.h"
#include "app/main_form.h"
#include "main_form_test_support.h"
#include "result_test_support.h"
#include "results/history_file.h"
#include "viewer/binary_dlg.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;

class ResultRegexRoad : public MainFormTest {};

TEST_F(ResultRegexRoad, APatternSearchesRefinesSavesAndReopensAsAPattern) {
  const std::string pattern = "見積書 No\\.\\d+";
  folder_.File("a.txt", "見積書 No.123 です");
  folder_.File("b.txt", "見積書 No.abc");
  folder_.File("c.txt", "メモ No.45\r\n見積書 No.7\r\n見積書 No.8901");
  folder_.File("d.txt", pattern);  // the pattern's own text is no match of it
  TForm1 form(Environment());
  form.Browser.ShowFolder(folder_.Root(), true);
  form.Options.OptionChkBox.SetChecked(true);
  form.Options.RegexChkBox.SetChecked(true);
  form.Options.Edit1.SetText(pattern);

  ScriptedPrompts prompts;
  prompts.ExpectInputQuery("No\\.1\\d+");  // the refine
  prompts.ExpectMessageBox(IDYES);         // save at the close
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    EXPECT_EQ(view.StaticText3.Text(), "4/2件");
    std::vector<std::string> found;
    for (const auto& row : view.Rows()) found.push_back(row.fileName + ":" + row.content);
    std::sort(found.begin(), found.end());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], "a.txt:見積書 No.123 です");
    EXPECT_EQ(found[1].rfind("c.txt:見積書 No.7\r\n", 0), 0u) << found[1];
    for (std::size_t row = 0; row < view.Rows().size(); ++row)
      view.ListView1.SetSelected(row, view.Rows()[row].fileName == "c.txt");
    view.UpdateMenuStates();
    view.BinaryView1.Click();

    view.Refine1.Click();
    ASSERT_TRUE(result_test::WaitUntilFinished(view));
    ASSERT_EQ(view.Rows().size(), 1u);
    EXPECT_EQ(view.Rows()[0].fileName, "a.txt");
    EXPECT_EQ(view.Rows()[0].content, "No.123 です");
    view.Close();
  });
  // The viewer on c.txt: each match highlighted whole, F3 to the next one.
  script.Then([&](ui::Form& window) {
    auto* viewer = dynamic_cast<viewer::TBinaryDlg*>(&window);
    ASSERT_NE(viewer, nullptr);
    ui::App().ProcessMessages();
    EXPECT_EQ(viewer->StaticText1.Caption(), "0／0C");
    EXPECT_EQ(viewer->HitLength, 11);  // 見積書 No.7
    viewer->SpeedButton1Click(viewer->SpeedButton1);
    EXPECT_EQ(viewer->StaticText1.Caption(), "0／19");
    EXPECT_EQ(viewer->HitLength, 14);  // 見積書 No.8901
    viewer->Close();
  });
  form.SpeedButton3.Click();
  EXPECT_EQ(script.FormsSeen(), 3);
  EXPECT_EQ(prompts.Log().size(), 2u);

  const std::vector<std::string> files = HistoryFilesIn(form.State.UserDataDir);
  ASSERT_EQ(files.size(), 1u);
  const auto saved = results::LoadHistoryFile(files[0]);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->name, pattern);
  EXPECT_NE(saved->optionBits & results::kHistoryRegex, 0);
  EXPECT_EQ(saved->searchContents, (std::vector<std::string>{pattern, "No\\.1\\d+"}));
  EXPECT_EQ(HitLines(saved->hits), (std::vector<std::string>{folder_.PathOf("a.txt") + "=7"}));

  // Reopened with the user's boxes off: the box is checked again and the name is
  // the query as a pattern.
  form.Options.RegexChkBox.SetChecked(false);
  form.Options.OptionChkBox.SetChecked(false);
  ASSERT_TRUE(form.OpenHistory(files[0], true));
  EXPECT_TRUE(form.Options.RegexChkBox.Checked());
  EXPECT_TRUE(form.State.Query.regex);
  EXPECT_EQ(form.State.Query.displayText, pattern);
}

}  // namespace
}  // namespace trovex::app
