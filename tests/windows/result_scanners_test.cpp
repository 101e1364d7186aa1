// The result window of a search run with one scanning thread and with several:
// the same rows in the same order, whatever thread looked into which file.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/application.h"
#include "result_test_support.h"

namespace trovex::results {
namespace {

using result_test::Column;
using result_test::OffsetColumn;
using result_test::PrepareLiveSearch;
using result_test::WaitUntilFinished;
using testing::ModalScript;
using testing::ShellTestFolder;

struct ShownRows {
  std::vector<std::string> paths, offsets, contents;
  std::string counter;
};

ShownRows RowsOfARun(const ShellTestFolder& folder, int files, unsigned scanners) {
  ProgramState state;
  ResultWindowSetup setup =
      PrepareLiveSearch(state, folder.Root(), "needle", static_cast<std::uint64_t>(files));
  setup.live->scanners = scanners;
  ShownRows shown;
  ModalScript script;
  script.Then([&](ui::Form& form) {
    auto& view = static_cast<TViewDlg&>(form);
    EXPECT_TRUE(WaitUntilFinished(view, 30000));
    shown.paths = Column(view, &HitRecord::path);
    shown.offsets = OffsetColumn(view);
    shown.contents = Column(view, &HitRecord::content);
    shown.counter = view.StaticText3.Text();
    view.Close();
  });
  auto view = ui::MakeForm<TViewDlg>(nullptr, state, std::move(setup));
  view->ShowModal();
  return shown;
}

TEST(ResultScanners, OneAndSeveralScannersShowTheSameRowsInTheSameOrder) {
  ShellTestFolder folder;
  int files = 0;
  // A file of several reads first, then folders of small files, two in three
  // holding the needle at places of their own.
  folder.File("big.txt", std::string(1500000, 'a') + "needle tail");
  ++files;
  for (int f = 0; f < 6; ++f) {
    const std::string sub = "d" + std::to_string(f);
    folder.Folder(sub);
    for (int i = 0; i < 20; ++i, ++files) {
      std::string text(static_cast<std::size_t>(i * 13 + f), '.');
      text += i % 3 ? "needle " + std::to_string(f * 100 + i) : "nothing";
      folder.File(sub + "\\f" + std::to_string(i) + ".txt", text);
    }
  }
  const ShownRows one = RowsOfARun(folder, files, 1);
  ASSERT_EQ(one.paths.size(), 1u + 6 * 13);
  EXPECT_EQ(one.paths.front(), folder.PathOf("big.txt"));
  EXPECT_EQ(one.counter, std::to_string(files) + "/" + std::to_string(one.paths.size()) + "件");
  for (const unsigned scanners : {2u, 4u}) {
    const ShownRows many = RowsOfARun(folder, files, scanners);
    EXPECT_EQ(many.paths, one.paths) << scanners << " scanners";
    EXPECT_EQ(many.offsets, one.offsets) << scanners << " scanners";
    EXPECT_EQ(many.contents, one.contents) << scanners << " scanners";
    EXPECT_EQ(many.counter, one.counter) << scanners << " scanners";
  }
}

}  // namespace
}  // namespace trovex::results
