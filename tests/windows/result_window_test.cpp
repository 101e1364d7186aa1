// The result window over a real search of a temporary folder: its rows and their
// columns, sorting with the shared directions, the context commands, 削除 with the
// counter and the save question, stopping and closing during a run.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "native/hit_lines.h"
#include "platform/ui/application.h"
#include "result_test_support.h"
#include "results/result_texts.h"

namespace trovex::results {
namespace {

using result_test::Column;
using result_test::PrepareLiveSearch;
using result_test::WaitUntilFinished;
using testing::ModalScript;
using testing::ShellTestFolder;

// Runs a live window over `folder` and lets `act` work on it while it is shown.
void RunWindow(ProgramState& state, ResultWindowSetup setup,
               const std::function<void(TViewDlg&)>& act) {
  ModalScript script;
  script.Then([&](ui::Form& form) {
    auto& view = static_cast<TViewDlg&>(form);
    act(view);
    view.Close();
  });
  auto view = ui::MakeForm<TViewDlg>(nullptr, state, std::move(setup));
  view->ShowModal();
}

TEST(ResultWindow, ALiveSearchTurnsEveryHitIntoARowAndFinishes) {
  ShellTestFolder folder;
  folder.File("a.txt", "xx needle yy");
  folder.File("b.txt", "nothing here");
  folder.File("c.xyz", std::string(1536, 'n') + "needle");
  ProgramState state;
  RunWindow(state, PrepareLiveSearch(state, folder.Root(), "needle", 3), [&](TViewDlg& view) {
    EXPECT_EQ(view.Caption(), "検索ファイルビュー");
    EXPECT_TRUE(view.SpeedButton1.Visible());
    EXPECT_TRUE(view.LiveSearch);
    EXPECT_FALSE(view.EditMenu.Enabled());
    ASSERT_TRUE(WaitUntilFinished(view));
    EXPECT_FALSE(view.LiveSearch);
    EXPECT_FALSE(view.HasWorker());
    EXPECT_FALSE(view.SpeedButton1.Visible());
    EXPECT_TRUE(view.EditMenu.Enabled());
    // A live window's counter ends as files to examine over hits.
    EXPECT_EQ(view.StaticText3.Text(), "3/2件");
    EXPECT_EQ(view.StaticText2.Text(), "needle");
    EXPECT_EQ(view.ColorProgressBar1.Position(), 0u);
    ASSERT_EQ(view.Rows().size(), 2u);
    EXPECT_EQ(view.ListView1.RowCount(), 2u);
    const HitRecord& a =
        view.Rows()[0].path == folder.PathOf("a.txt") ? view.Rows()[0] : view.Rows()[1];
    const HitRecord& c = &a == &view.Rows()[0] ? view.Rows()[1] : view.Rows()[0];
    EXPECT_EQ(search::HitOffsetText(a), "3");
    EXPECT_EQ(a.content, "needle yy");
    EXPECT_EQ(a.sizeText, "12B");
    EXPECT_EQ(a.modifiedText.size(), 16u);  // yyyy/mm/dd hh:nn
    EXPECT_EQ(c.path, folder.PathOf("c.xyz"));
    EXPECT_EQ(search::HitOffsetText(c), "1536");
    EXPECT_EQ(c.sizeText, "2KB");
    EXPECT_FALSE(c.fileName.empty());
    EXPECT_FALSE(c.typeName.empty());
  });
  EXPECT_EQ(state.Progress.hitList.Count(), 2u);
}

TEST(ResultWindow, AHitWhoseFileVanishedBeforeItsRowSaysSo) {
  ShellTestFolder folder;
  const std::string gone = folder.PathOf("gone.txt");
  ProgramState state;
  ResultWindowSetup setup = PrepareLiveSearch(state, folder.Root(), "needle", 0);
  state.Progress.hitList.Add({gone, 17});
  RunWindow(state, std::move(setup), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    ASSERT_EQ(view.Rows().size(), 1u);
    const HitRecord& row = view.Rows()[0];
    EXPECT_EQ(row.fileName, "存在しないファイル");
    EXPECT_EQ(row.typeName, "");
    EXPECT_EQ(row.sizeText, "");
    EXPECT_EQ(row.modifiedText, "");
    EXPECT_EQ(row.content, "");
    EXPECT_EQ(row.path, gone);
    EXPECT_EQ(view.ListView1.OnData(0, kColFileName), "存在しないファイル");
  });
}

TEST(ResultWindow, AnEmptyFolderEndsAtZeroOverZeroWithAProgressMaximumOfZero) {
  ShellTestFolder folder;
  ProgramState state;
  RunWindow(state, PrepareLiveSearch(state, folder.Root(), "needle", 0), [&](TViewDlg& view) {
    EXPECT_EQ(view.ColorProgressBar1.Max(), 0u);
    EXPECT_EQ(view.StaticText3.Text(), "0/0件");
    ASSERT_TRUE(WaitUntilFinished(view));
    EXPECT_EQ(view.StaticText3.Text(), "0/0件");
    EXPECT_TRUE(view.Rows().empty());
    EXPECT_EQ(view.ColorProgressBar1.FilledPixels(), 0);
  });
}

TEST(ResultWindow, MoreFilesThanCountedKeepTheProgressWithinItsMaximum) {
  ShellTestFolder folder;
  for (int i = 0; i < 20; ++i) folder.File("f" + std::to_string(i) + ".txt", "abc");
  ProgramState state;
  RunWindow(state, PrepareLiveSearch(state, folder.Root(), "zzz", 2), [&](TViewDlg& view) {
    ASSERT_TRUE(testing::PumpUntil(
        [&] {
          EXPECT_LE(view.ColorProgressBar1.Position(), view.ColorProgressBar1.Max());
          return !view.ProducingRows();
        },
        10000));
    EXPECT_EQ(state.Progress.filesExamined.load(), 20u);
    EXPECT_EQ(view.StaticText3.Text(), "2/0件");
  });
}

TEST(ResultWindow, OptionItemsRebuildEverySnippetAndAreCaptionedFromTheDisplayChoice) {
  ShellTestFolder folder;
  folder.File("a.bin", std::string("\x01\x02"
                                   "AB",
                                   4));
  ProgramState state;
  ResultWindowSetup setup = PrepareLiveSearch(state, folder.Root(), ",0x41", 1);
  RunWindow(state, std::move(setup), [&](TViewDlg& view) {
    EXPECT_EQ(view.OptionMenu1.Caption(), "16進数で表示する(&M)");
    EXPECT_EQ(view.OptionMenu2.Caption(), "1バイト文字で表示する(&N)");
    EXPECT_TRUE(view.OptionMenu1.Checked());
    ASSERT_TRUE(WaitUntilFinished(view));
    ASSERT_EQ(view.Rows().size(), 1u);
    EXPECT_EQ(view.Rows()[0].content, "41,42");
    view.OptionMenu2.Click();
    EXPECT_TRUE(view.OptionMenu2.Checked());
    EXPECT_FALSE(view.OptionMenu1.Checked());
    EXPECT_EQ(state.Settings.ByteListDisplay, results::BinaryDisplay::Chars);
    ASSERT_TRUE(WaitUntilFinished(view));  // the snippets are read again
    EXPECT_EQ(view.Rows()[0].content, "AB");
    view.OptionMenu2.Click();  // already chosen: nothing changes
    EXPECT_TRUE(view.OptionMenu2.Checked());
  });
}

class ResultWindowRows : public ::testing::Test {
 protected:
  ResultWindowRows() {
    folder_.File("s999.txt", "needle" + std::string(993, '.'));
    folder_.File("s2k.txt", "needle" + std::string(2042, '.'));
    folder_.File("s10.txt", "needle" + std::string(4, '.'));
    folder_.File("s1m.txt", "needle" + std::string(1048570, '.'));
  }
  std::vector<std::string> Sizes(const TViewDlg& view) const {
    return Column(view, &HitRecord::sizeText);
  }
  ShellTestFolder folder_;
  ProgramState state_;
};

// Rows come before their snippets: a sort by content right after the rows are
// complete reads the snippets still due first; and after a sort that moved the
// rows while their snippets were being read, each row gets its own. The files are
// named as archives (they are none), whose snippets are read from the file, not
// from the bytes the scan kept.
TEST(ResultWindow, RowsComeBeforeTheirSnippetsWhichFollowTheRowsWhereverTheyMove) {
  ShellTestFolder folder;
  constexpr int kFiles = 300;
  const auto tail = [](int i) { return std::to_string(100000 + (i * 7919) % kFiles); };
  for (int i = 0; i < kFiles; ++i)
    folder.File("f" + std::to_string(i) + ".zip", "needle" + tail(i));
  const auto rowsComplete = [](TViewDlg& view) {
    ASSERT_TRUE(testing::PumpUntil([&] { return !view.ProducingRows(); }, 30000));
    ASSERT_EQ(view.Rows().size(), static_cast<std::size_t>(kFiles));
  };
  ProgramState state;
  RunWindow(state, PrepareLiveSearch(state, folder.Root(), "needle", kFiles), [&](TViewDlg& view) {
    rowsComplete(view);
    view.ListView1.OnColumnClick(view.ListView1, kColContent);
    const std::vector<std::string> sorted = Column(view, &HitRecord::content);
    EXPECT_FALSE(view.SnippetsDue());
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end())) << sorted.front();
    EXPECT_EQ(sorted.front(), "needle100000");
  });
  RunWindow(state, PrepareLiveSearch(state, folder.Root(), "needle", kFiles), [&](TViewDlg& view) {
    rowsComplete(view);
    // Up, then down: the rows move (reversed at least once) while the filler reads.
    view.ListView1.OnColumnClick(view.ListView1, kColFileName);
    view.ListView1.OnColumnClick(view.ListView1, kColFileName);
    ASSERT_TRUE(WaitUntilFinished(view));
    for (const HitRecord& row : view.Rows()) {
      const std::string name = std::string(FileNamePart(row.path));
      const int i = std::stoi(name.substr(1, name.find('.') - 1));
      ASSERT_EQ(row.content, "needle" + tail(i)) << name;
    }
  });
}

// A live search's rows show the bytes their scan kept: no snippet is left to read
// once the rows are complete.
TEST(ResultWindow, ALiveSearchsRowsComeWithTheSnippetsTheirScanKept) {
  ShellTestFolder folder;
  constexpr int kFiles = 50;
  for (int i = 0; i < kFiles; ++i)
    folder.File("f" + std::to_string(i) + ".txt", "..needle" + std::to_string(i));
  ProgramState state;
  RunWindow(state, PrepareLiveSearch(state, folder.Root(), "needle", kFiles), [&](TViewDlg& view) {
    ASSERT_TRUE(testing::PumpUntil([&] { return !view.ProducingRows(); }, 30000));
    ASSERT_EQ(view.Rows().size(), static_cast<std::size_t>(kFiles));
    EXPECT_FALSE(view.SnippetsDue());
    for (const HitRecord& row : view.Rows()) {
      const std::string name = std::string(FileNamePart(row.path));
      EXPECT_EQ(row.content, "needle" + name.substr(1, name.find('.') - 1));
    }
  });
}

TEST_F(ResultWindowRows, ClickingSizeTwiceSortsByNumberUpThenDown) {
  RunWindow(state_, PrepareLiveSearch(state_, folder_.Root(), "needle", 4), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    ASSERT_EQ(view.Rows().size(), 4u);
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    EXPECT_EQ(Sizes(view), (std::vector<std::string>{"10B", "999B", "2KB", "1MB"}));
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    EXPECT_EQ(Sizes(view), (std::vector<std::string>{"1MB", "2KB", "999B", "10B"}));
    // The path header does not sort.
    const std::vector<std::string> before = Column(view, &HitRecord::path);
    view.ListView1.OnColumnClick(view.ListView1, kColPath);
    EXPECT_EQ(Column(view, &HitRecord::path), before);
  });
}

TEST_F(ResultWindowRows, TwoWindowsShareTheSortDirections) {
  RunWindow(state_, PrepareLiveSearch(state_, folder_.Root(), "needle", 4), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    EXPECT_EQ(Sizes(view).front(), "10B");
  });
  RunWindow(state_, PrepareLiveSearch(state_, folder_.Root(), "needle", 4), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    EXPECT_EQ(Sizes(view), (std::vector<std::string>{"1MB", "2KB", "999B", "10B"}));
  });
}

TEST_F(ResultWindowRows, SortingKeepsTheSelectedRowsSelected) {
  RunWindow(state_, PrepareLiveSearch(state_, folder_.Root(), "needle", 4), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    view.ListView1.SetSelected(0, true);  // 10B
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    EXPECT_EQ(view.ListView1.SelectedRows(), (std::vector<std::size_t>{3}));
  });
}

TEST_F(ResultWindowRows, CopyPutsTheSelectedFilesOnTheClipboardInListOrder) {
  RunWindow(state_, PrepareLiveSearch(state_, folder_.Root(), "needle", 4), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    for (std::size_t row : {0u, 2u, 3u}) view.ListView1.SetSelected(row, true);
    view.Copy1Click(view.Copy1);
    const std::vector<std::string> expected = {folder_.PathOf("s10.txt"), folder_.PathOf("s2k.txt"),
                                               folder_.PathOf("s1m.txt")};
    EXPECT_EQ(os_shell::Services().clipboard->GetFiles(), expected);
  });
}

TEST_F(ResultWindowRows, OpenCommandsHandTheFileOrItsFolderToTheShell) {
  result_test::RecordingOpener opener;
  os_shell::ShellServices fakes = os_shell::Services();
  fakes.open = &opener;
  os_shell::ScopedShellServices replaced(fakes);
  RunWindow(state_, PrepareLiveSearch(state_, folder_.Root(), "needle", 4), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    view.Open1Click(view.Open1);  // nothing selected: nothing opens
    EXPECT_TRUE(opener.opened.empty());
    view.ListView1.SetSelected(1, true);
    EXPECT_EQ(view.Panel1.PanelText(0), folder_.PathOf("s999.txt"));
    view.Open1Click(view.Open1);
    view.OpenFolder1Click(view.OpenFolder1);
    view.OpenWith1Click(view.OpenWith1);
    EXPECT_EQ(opener.opened,
              (std::vector<std::string>{folder_.PathOf("s999.txt"), folder_.Root()}));
    EXPECT_EQ(opener.openedWith, (std::vector<std::string>{folder_.PathOf("s999.txt")}));
    EXPECT_FALSE(view.BinaryView1.Enabled());
  });
}

TEST_F(ResultWindowRows, DeleteRemovesTheRowsSetsModifiedAndTheCloseAsksToSaveTheChange) {
  ResultWindowSetup setup = PrepareLiveSearch(state_, folder_.Root(), "needle", 4);
  int saves = 0;
  setup.saveHistory = [&] {
    ++saves;
    return false;
  };
  std::vector<std::string> savedLines;
  testing::ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDYES);
  prompts.ExpectMessage();  // the save failed
  RunWindow(state_, std::move(setup), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    view.ListView1.OnColumnClick(view.ListView1, kColSize);
    view.ListView1.SetSelected(0, true);
    view.ListView1.SetSelected(2, true);
    view.UpdateMenuStates();
    EXPECT_TRUE(view.Delete1.Enabled());
    view.Delete1Click(view.Delete1);
    EXPECT_TRUE(view.Modified);
    EXPECT_EQ(view.Rows().size(), 2u);
    EXPECT_EQ(view.ListView1.RowCount(), 2u);
    EXPECT_EQ(view.StaticText3.Text(), "2/2件");
    EXPECT_EQ(Sizes(view), (std::vector<std::string>{"999B", "1MB"}));
    // The hit list keeps its lines until the save rebuilds it from the rows.
    EXPECT_EQ(state_.Progress.hitList.Count(), 4u);
  });
  ASSERT_EQ(prompts.Log().size(), 2u);
  EXPECT_EQ(prompts.Log()[0].text, "履歴名 [ needle ]\n変更した検索内容を保存しますか？");
  EXPECT_EQ(prompts.Log()[0].caption, "保存確認");
  EXPECT_EQ(prompts.Log()[1].text, "保存に失敗しました。");
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(HitLines(state_.Progress.hitList),
            (std::vector<std::string>{folder_.PathOf("s999.txt") + "=0",
                                      folder_.PathOf("s1m.txt") + "=0"}));
  EXPECT_TRUE(state_.SearchContentList.empty());
}

TEST_F(ResultWindowRows, AfterEveryRowIsRemovedClosingAsksNothing) {
  ResultWindowSetup setup = PrepareLiveSearch(state_, folder_.Root(), "needle", 4);
  setup.saveHistory = [] { return true; };
  RunWindow(state_, std::move(setup), [&](TViewDlg& view) {
    ASSERT_TRUE(WaitUntilFinished(view));
    view.SelectAll1Click(view.SelectAll1);
    view.Delete1Click(view.Delete1);
    EXPECT_TRUE(view.Rows().empty());
    EXPECT_EQ(view.StaticText3.Text(), "0/0件");
  });
}

TEST(ResultWindowRun, StopKeepsTheRowsFoundAndShowsTheFinishedState) {
  ShellTestFolder folder;
  const int files = result_test::MakeSlowTree(folder, 5);
  ProgramState state;
  RunWindow(state, PrepareLiveSearch(state, folder.Root(), "needle", files), [&](TViewDlg& view) {
    ASSERT_TRUE(testing::PumpUntil([&] { return view.Rows().size() == 5; }, 10000));
    EXPECT_TRUE(view.HasWorker());
    view.UpdateMenuStates();
    EXPECT_FALSE(view.Delete1.Enabled());  // rows still arrive
    EXPECT_FALSE(view.OptionMenu1.Enabled());
    view.SpeedButton1.Click();
    EXPECT_TRUE(view.StopRequested);
    ASSERT_TRUE(WaitUntilFinished(view));
    EXPECT_FALSE(view.SpeedButton1.Visible());
    EXPECT_FALSE(view.LiveSearch);
    EXPECT_EQ(view.Rows().size(), 5u);
    EXPECT_EQ(state.Progress.hitList.Count(), 5u);
    EXPECT_LT(state.Progress.filesExamined.load(), static_cast<std::uint64_t>(files));
    EXPECT_EQ(view.StaticText3.Text(), CounterText(files, 5));
    view.UpdateMenuStates();
    view.ListView1.SetSelected(0, true);
    view.UpdateMenuStates();
    EXPECT_TRUE(view.Delete1.Enabled());
    EXPECT_TRUE(view.OptionMenu1.Enabled());
  });
}

TEST(ResultWindowRun, ClosingDuringARunEndsTheWorkerAndLosesNoRow) {
  ShellTestFolder folder;
  const int files = result_test::MakeSlowTree(folder, 5);
  ProgramState state;
  ResultWindowSetup setup = PrepareLiveSearch(state, folder.Root(), "needle", files);
  ModalScript script;
  script.Then([&](ui::Form& form) {
    auto& view = static_cast<TViewDlg&>(form);
    ASSERT_TRUE(testing::PumpUntil([&] { return state.Progress.hitList.Count() == 5; }, 10000));
    EXPECT_TRUE(view.HasWorker());
    view.Close();
  });
  auto view = ui::MakeForm<TViewDlg>(nullptr, state, std::move(setup));
  view->ShowModal();
  EXPECT_FALSE(view->HasWorker());
  EXPECT_EQ(view->Rows().size(), 5u);  // every hit became a row before the window went
  EXPECT_LT(state.Progress.filesExamined.load(), static_cast<std::uint64_t>(files));
  EXPECT_FALSE(view->ProducingRows());
}

}  // namespace
}  // namespace trovex::results
