// The result window searching within its own rows: 絞込み検索 drops the rows whose
// file lacks the new content, リストの検索 greys them and counts the others, 中止
// stops either half-way, a bad content changes nothing, and 履歴名の編集 offers the
// contents used on the result and matches the rows against the chosen one.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "app/main_form.h"
#include "platform/ui/application.h"
#include "platform/ui/timer.h"
#include "result_test_support.h"
#include "results/result_texts.h"
#include "startup_test_support.h"
#include "viewer/input_dlg.h"

namespace trovex::results {
namespace {

using result_test::Column;
using result_test::OffsetColumn;
using result_test::PrepareLiveSearch;
using result_test::WaitUntilFinished;
using testing::ModalScript;
using testing::ScriptedPrompts;
using testing::ShellTestFolder;

constexpr ui::Color kMismatchRowColour = RGB(227, 227, 227);

// A finished live result of "needle" over three files: "a" and "c" also hold
// "second", "b" does not.
class ResultListSearch : public ::testing::Test {
 protected:
  ResultListSearch() {
    folder_.File("a.txt", "needle, second");
    folder_.File("b.txt", "needle only");
    folder_.File("c.txt", "second needle");
    state_.SearchContentList = {"needle"};
  }

  // Shows the window, waits for its rows, lets `act` work, then closes it.
  void RunWindow(const std::function<void(TViewDlg&)>& act) {
    ResultWindowSetup setup = PrepareLiveSearch(state_, folder_.Root(), "needle", 3);
    setup.saveHistory = [this] {
      ++saves_;
      return true;
    };
    ModalScript script;
    script.Then([&](ui::Form& form) {
      auto& view = static_cast<TViewDlg&>(form);
      if (WaitUntilFinished(view))
        act(view);
      else
        ADD_FAILURE() << "the live search did not finish";
      view.Close();
    });
    auto view = ui::MakeForm<TViewDlg>(nullptr, state_, std::move(setup));
    view->ShowModal();
  }

  ShellTestFolder folder_;
  ProgramState state_;
  int saves_ = 0;
};

TEST_F(ResultListSearch, RefineThatMatchesNothingRemovesEveryRow) {
  ScriptedPrompts prompts;
  prompts.ExpectInputQuery("absent");
  RunWindow([&](TViewDlg& view) {
    ASSERT_EQ(view.Rows().size(), 3u);
    view.UpdateMenuStates();
    ASSERT_TRUE(view.Refine1.Enabled());
    view.Refine1.Click();
    EXPECT_TRUE(view.Rows().empty());
    EXPECT_EQ(view.ListView1.RowCount(), 0u);
    EXPECT_EQ(view.StaticText3.Text(), "3/0件");
    EXPECT_TRUE(view.Modified);
    EXPECT_EQ(state_.SearchContentList, (std::vector<std::string>{"needle", "absent"}));
    // The window's own content is back.
    EXPECT_EQ(view.ContentText, "needle");
    EXPECT_EQ(state_.Query.displayText, "needle");
    EXPECT_EQ(state_.Query.pattern, "needle");
    view.UpdateMenuStates();
    EXPECT_FALSE(view.Refine1.Enabled());  // no rows left
    EXPECT_TRUE(view.Undo1.Enabled());
  });
  ASSERT_EQ(prompts.Log().size(), 1u);  // without rows the close asks nothing
  EXPECT_EQ(prompts.Log()[0].caption, "絞込み検索");
  EXPECT_EQ(prompts.Log()[0].text, "検索する内容を入力");
  EXPECT_EQ(saves_, 0);
}

TEST_F(ResultListSearch, RefineKeepsTheMatchingRowsWithTheirNewHitAndTheCloseAsksToSaveTheChange) {
  ScriptedPrompts prompts;
  prompts.ExpectInputQuery("second");
  prompts.ExpectMessageBox(IDYES);
  RunWindow([&](TViewDlg& view) {
    view.Refine1.Click();
    ASSERT_EQ(view.Rows().size(), 2u);
    std::vector<std::string> lines;
    for (const HitRecord& row : view.Rows())
      lines.push_back(search::FormatHitLine(row) + " " + row.content);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{folder_.PathOf("a.txt") + "=8 second",
                                               folder_.PathOf("c.txt") + "=0 second needle"}));
    EXPECT_EQ(view.StaticText3.Text(), "3/2件");
    EXPECT_TRUE(view.Modified);
  });
  ASSERT_EQ(prompts.Log().size(), 2u);
  EXPECT_EQ(prompts.Log()[1].text, "履歴名 [ needle ]\n変更した検索内容を保存しますか？");
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(state_.Progress.hitList.Count(), 2u);  // the save wrote the remaining rows
}

TEST_F(ResultListSearch, ListSearchThatMatchesNothingGreysEveryRow) {
  ScriptedPrompts prompts;
  prompts.ExpectInputQuery("absent");
  prompts.ExpectMessage();
  prompts.ExpectMessageBox(IDNO);
  RunWindow([&](TViewDlg& view) {
    const std::vector<std::string> contents = Column(view, &HitRecord::content);
    view.ListSearch1.Click();
    ASSERT_EQ(view.Rows().size(), 3u);
    EXPECT_EQ(OffsetColumn(view), (std::vector<std::string>(3, "-1")));
    EXPECT_EQ(Column(view, &HitRecord::content), contents);
    for (std::size_t row = 0; row < 3; ++row)
      EXPECT_EQ(view.ListView1.OnRowColor(row), kMismatchRowColour);
    EXPECT_EQ(view.StaticText3.Text(), "3/3件");
    EXPECT_FALSE(view.Modified);
    view.SelectMismatches1Click(view.SelectMismatches1);
    EXPECT_EQ(view.ListView1.SelectedRows(), (std::vector<std::size_t>{0, 1, 2}));
  });
  ASSERT_EQ(prompts.Log().size(), 3u);
  EXPECT_EQ(prompts.Log()[0].caption, "リストの検索");
  EXPECT_EQ(prompts.Log()[1].text, "0 個のファイルが見つかりました。");
}

TEST_F(ResultListSearch, ListSearchCountsTheMatchesAndTheMismatchSelectionTakesExactlyTheOthers) {
  ScriptedPrompts prompts;
  prompts.ExpectInputQuery("SECOND");  // letter case is ignored
  prompts.ExpectMessage();
  prompts.ExpectMessageBox(IDNO);
  RunWindow([&](TViewDlg& view) {
    view.ListView1.SetSelected(0, true);
    view.ListSearch1.Click();
    std::vector<std::size_t> grey;
    for (std::size_t row = 0; row < view.Rows().size(); ++row) {
      const HitRecord& r = view.Rows()[row];
      const bool isB = r.path == folder_.PathOf("b.txt");
      EXPECT_EQ(search::HitOffsetText(r) == "-1", isB) << r.path;
      EXPECT_EQ(view.ListView1.OnRowColor(row) == kMismatchRowColour, isB);
      if (isB)
        grey.push_back(row);
      else
        EXPECT_EQ(r.content.substr(0, 6), "second");
    }
    view.SelectMismatches1Click(view.SelectMismatches1);
    EXPECT_EQ(view.ListView1.SelectedRows(), grey);
    EXPECT_EQ(view.StaticText3.Text(), "3/3件");
  });
  EXPECT_EQ(prompts.Log()[1].text, "2 個のファイルが見つかりました。");
}

TEST_F(ResultListSearch, AContentThatDoesNotParseShowsItsMessageAndChangesNothing) {
  ScriptedPrompts prompts;
  prompts.ExpectInputQuery(",300x");
  prompts.ExpectMessage();
  prompts.ExpectInputQuery("");
  prompts.ExpectMessage();
  prompts.ExpectInputQuery(std::nullopt);  // Cancel
  prompts.ExpectMessageBox(IDNO);
  RunWindow([&](TViewDlg& view) {
    const std::vector<std::string> offsets = OffsetColumn(view);
    const std::string counter = view.StaticText3.Text();
    view.Refine1.Click();
    view.ListSearch1.Click();
    view.Refine1.Click();
    EXPECT_EQ(OffsetColumn(view), offsets);
    EXPECT_EQ(view.StaticText3.Text(), counter);
    EXPECT_FALSE(view.Modified);
    EXPECT_EQ(state_.SearchContentList, (std::vector<std::string>{"needle"}));
    EXPECT_EQ(state_.Query.pattern, "needle");
    EXPECT_TRUE(state_.Query.complete);
    EXPECT_EQ(view.ContentText, "needle");
  });
  EXPECT_EQ(prompts.Texts()[1], "[300x]\n不正な値が入力されています。");
  EXPECT_EQ(prompts.Texts()[3], "検索する内容が入力されていません。");
}

// A saved list search shown again: its mismatched hit is a grey row without a
// snippet that the mismatch selection takes; the other hit shows its snippet.
TEST(ResultListSearchShownAgain, AMismatchedHitIsAGreyRowWithoutASnippet) {
  ShellTestFolder folder;
  folder.File("a.txt", "xx needle");
  folder.File("b.txt", "needle");
  ProgramState state;
  ResultWindowSetup setup = PrepareLiveSearch(state, folder.Root(), "absent", 2);
  state.Progress.hitList.Assign(
      {search::Hit{folder.PathOf("a.txt"), 3}, search::Hit{folder.PathOf("b.txt"), 0, true}});
  ModalScript script;
  script.Then([&](ui::Form& form) {
    auto& view = static_cast<TViewDlg&>(form);
    EXPECT_TRUE(WaitUntilFinished(view));
    EXPECT_EQ(Column(view, &HitRecord::content), (std::vector<std::string>{"needle", ""}));
    EXPECT_NE(view.ListView1.OnRowColor(0), kMismatchRowColour);
    EXPECT_EQ(view.ListView1.OnRowColor(1), kMismatchRowColour);
    view.SelectMismatches1Click(view.SelectMismatches1);
    EXPECT_EQ(view.ListView1.SelectedRows(), (std::vector<std::size_t>{1}));
    view.Close();
  });
  auto view = ui::MakeForm<TViewDlg>(nullptr, state, std::move(setup));
  view->ShowModal();
  EXPECT_EQ(script.FormsSeen(), 1);
}

// The list search scrolls the matching row nearest the top into view.
TEST(ResultListSearchScroll, TheTopMostMatchIsScrolledIntoView) {
  ShellTestFolder folder;
  for (int i = 10; i < 90; ++i) {
    std::string name = std::to_string(i);
    name.insert(name.begin(), 'f');
    folder.File(name + ".txt", i == 12 || i == 80 ? "needle unique" : "needle");
  }
  ProgramState state;
  ScriptedPrompts prompts;
  prompts.ExpectInputQuery("unique");
  prompts.ExpectMessage();  // (no save: the setup has no history to save to)
  ResultWindowSetup setup = PrepareLiveSearch(state, folder.Root(), "needle", 80);
  ModalScript script;
  script.Then([&](ui::Form& form) {
    auto& view = static_cast<TViewDlg&>(form);
    ASSERT_TRUE(WaitUntilFinished(view));
    view.ListView1ColumnClick(view.ListView1, kColFileName);  // f10 ... f89
    ASSERT_EQ(view.Rows()[2].path, folder.PathOf("f12.txt"));
    view.ListView1.EnsureVisible(79);
    ASSERT_GT(view.ListView1.TopItem(), 2u);
    view.ListSearch1.Click();
    EXPECT_LE(view.ListView1.TopItem(), 2u);
    view.Close();
  });
  auto view = ui::MakeForm<TViewDlg>(nullptr, state, std::move(setup));
  view->ShowModal();
  EXPECT_EQ(prompts.Texts()[1], "2 個のファイルが見つかりました。");
}

// The files of the stop test whose number is a multiple of 3 hold "second".
bool HoldsSecond(const std::string& path) {
  const std::string name(FileNamePart(path));  // "f<number>.txt"
  return std::stoi(name.substr(1)) % 3 == 0;
}

// 中止 half-way through a refine of many rows: the rows from the bottom up to the
// one at hand are searched, every row above keeps what it was, none is removed
// unsearched. The window stays busy meanwhile and answers its messages.
TEST(ResultListSearchStop, StopHalfWayChangesOnlyTheVisitedRows) {
  ShellTestFolder folder;
  constexpr int kFiles = 600;
  for (int i = 0; i < kFiles; ++i) {
    std::string name = std::to_string(i);
    name.insert(name.begin(), 'f');  // (GCC 12 warns wrongly about "f" + std::to_string)
    folder.File(name + ".txt", i % 3 == 0 ? "needle second" : "needle");
  }
  ProgramState state;
  ScriptedPrompts prompts;
  prompts.ExpectInputQuery("second");
  prompts.ExpectMessageBox(IDNO);
  ResultWindowSetup setup = PrepareLiveSearch(state, folder.Root(), "needle", kFiles);
  setup.saveHistory = [] { return true; };
  ModalScript script;
  script.Then([&](ui::Form& form) {
    auto& view = static_cast<TViewDlg&>(form);
    ASSERT_TRUE(WaitUntilFinished(view, 60000));
    ASSERT_EQ(view.Rows().size(), static_cast<std::size_t>(kFiles));
    const std::vector<HitRecord> before = view.Rows();

    // Pressed from a timer: its message comes while the loop processes messages.
    ui::Timer stopper;
    stopper.SetInterval(1);
    std::uint64_t visitedAtStop = 0;
    bool pressed = false;
    stopper.OnTimer = [&](ui::Component&) {
      if (pressed || view.ColorProgressBar1.Position() < 50) return;
      pressed = true;
      visitedAtStop = view.ColorProgressBar1.Position();
      EXPECT_TRUE(view.ProducingRows());
      EXPECT_TRUE(view.SpeedButton1.Visible());
      EXPECT_EQ(view.ListView1.ContextMenu(), nullptr);
      view.UpdateMenuStates();
      EXPECT_FALSE(view.SearchMenu.Enabled());
      EXPECT_FALSE(view.Refine1.Enabled());
      EXPECT_FALSE(view.ListSearch1.Enabled());
      EXPECT_FALSE(view.RenameHistory1.Enabled());
      EXPECT_FALSE(view.Undo1.Enabled());
      EXPECT_FALSE(view.OptionMenu1.Enabled());
      view.ListView1.SetSelected(0, true);
      view.UpdateMenuStates();
      EXPECT_FALSE(view.Delete1.Enabled());
      view.ListView1.SetSelected(0, false);
      view.SpeedButton1.Click();
    };
    view.Refine1.Click();
    stopper.SetEnabled(false);
    ASSERT_TRUE(pressed) << "the loop ended before the stop";
    ASSERT_LT(visitedAtStop, static_cast<std::uint64_t>(kFiles));

    // The rows above the stop as they were, then the visited ones that hold it.
    const std::size_t untouched = kFiles - visitedAtStop;
    std::vector<std::string> expected;
    for (std::size_t row = 0; row < before.size(); ++row) {
      if (row < untouched)
        expected.push_back(before[row].path + "=0 " + before[row].content);
      else if (HoldsSecond(before[row].path))
        expected.push_back(before[row].path + "=7 second");
    }
    std::vector<std::string> shown;
    for (const HitRecord& row : view.Rows())
      shown.push_back(search::FormatHitLine(row) + " " + row.content);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(view.StaticText3.Text(), CounterText(kFiles, view.Rows().size()));
    EXPECT_TRUE(view.Modified);
    EXPECT_FALSE(view.ProducingRows());
    EXPECT_FALSE(view.SpeedButton1.Visible());
    EXPECT_EQ(view.ListView1.ContextMenu(), &view.PopupMenu1);
    EXPECT_EQ(view.ColorProgressBar1.Position(), 0u);
    view.UpdateMenuStates();
    EXPECT_TRUE(view.Refine1.Enabled());
    view.Close();
  });
  auto view = ui::MakeForm<TViewDlg>(nullptr, state, std::move(setup));
  view->ShowModal();
}

}  // namespace
}  // namespace trovex::results

namespace trovex::app {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;
using testing::ShellTestFolder;

// From the main window: a list search for "def" in the result "abc" makes 履歴名の
//編集 offer both; choosing "def" matches every row against it.
TEST(ResultListSearchRename, RenameAfterAListSearchOffersBothContentsAndSearchesTheRowsAgain) {
  startup_test::SettingsKeyGuard guard;
  startup_test::SettingsKeyGuard::CreateEmptyKey();
  startup_test::TempDir dir;
  ShellTestFolder folder;
  folder.File("x.txt", "abc def");
  folder.File("y.txt", "abc only");
  TForm1 form({dir.path() + "Trovex.exe", "someone"});
  ScriptedPrompts prompts;
  prompts.ExpectInputQuery("def");
  prompts.ExpectMessage();
  prompts.ExpectMessageBox(IDNO);
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    view.ListSearch1.Click();
    EXPECT_EQ(form.State.SearchContentList, (std::vector<std::string>{"abc", "def"}));
    EXPECT_EQ(view.StaticText2.Text(), "abc");
    view.RenameHistory1Click(view.RenameHistory1);
    EXPECT_EQ(view.StaticText2.Text(), "def");
    EXPECT_EQ(view.ContentText, "def");
    EXPECT_TRUE(view.Modified);
    for (const results::HitRecord& row : view.Rows()) {
      if (row.path == folder.PathOf("x.txt")) {
        EXPECT_EQ(search::HitOffsetText(row), "4");
        EXPECT_EQ(row.content, "def");
      } else {
        EXPECT_EQ(search::HitOffsetText(row), "-1");
        EXPECT_EQ(row.content, "");
      }
    }
    EXPECT_FALSE(view.ProducingRows());
    view.Close();
  });
  script.Then([](ui::Form& dialog) {
    auto& input = dynamic_cast<viewer::TInputDlg&>(dialog);
    ASSERT_EQ(input.ComboBox1.ItemCount(), 2);
    EXPECT_EQ(input.ComboBox1.Item(0), "abc");
    EXPECT_EQ(input.ComboBox1.Item(1), "def");
    EXPECT_EQ(input.ComboBox1.ItemIndex(), 0);
    input.ComboBox1.SetItemIndex(1);
    input.OKBtn.Click();
  });
  search::SearchOptions options;
  options.content = "abc";
  search::SearchLocations locations;
  locations.paths = {folder.Root()};
  EXPECT_TRUE(form.StartSearch(locations, options));
  EXPECT_EQ(script.FormsSeen(), 3);
  EXPECT_EQ(prompts.Log()[1].text, "1 個のファイルが見つかりました。");
}

}  // namespace
}  // namespace trovex::app
