#pragma once
// Shared by the result window tests: a folder of files to search, a live result
// window over it, and a stand-in for the shell's "open".
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell/shell_services.h"
#include "results/view_dlg.h"
#include "search/hit_line.h"
#include "search/parse_search_content.h"
#include "shell_test_folder.h"
#include "windows/support/ui_script.h"

namespace trovex::result_test {

// Records what the window asked the shell to open.
class RecordingOpener : public os_shell::FileOpenService {
 public:
  bool Open(void*, const std::string& path) override {
    opened.push_back(path);
    return true;
  }
  bool OpenWith(void*, const std::string& path) override {
    openedWith.push_back(path);
    return true;
  }
  bool OpenAddress(void*, const std::string& address) override {
    addresses.push_back(address);
    return true;
  }
  std::vector<std::string> opened;
  std::vector<std::string> openedWith;
  std::vector<std::string> addresses;
};

// Program state ready for a live search of `content` over `folder`, as Start
// leaves it (the hit list empty, the count of files taken).
inline results::ResultWindowSetup PrepareLiveSearch(results::ProgramState& state,
                                                    const std::string& folder,
                                                    const std::string& content,
                                                    std::uint64_t totalFiles) {
  search::SearchOptions options;
  options.content = content;
  const bool parsed = search::ParseSearchContent(
      content, options, [](const std::string& m) { ADD_FAILURE() << m; }, state.Query);
  EXPECT_TRUE(parsed);
  state.Conditions = search::ConditionsFor(options);
  state.Progress.cancelRequested = false;
  state.Progress.totalFiles = totalFiles;
  state.Progress.filesExamined = 0;
  state.Progress.hitList.Clear();
  state.UnsavedNewResult = true;
  results::ResultWindowSetup setup;
  setup.contentText = content;
  setup.snippet = results::SnippetInputsFor(options, state.Query, results::BinaryDisplay::Hex);
  results::LiveSearchRun run;
  run.locations.paths = {folder};
  run.matchOptions = search::MatchOptionsFor(options, state.Query.mode);
  setup.live = run;
  return setup;
}

// A tree whose walk takes a while: `hits` small files holding "needle" (examined
// first) and a subfolder with two sparse files of 2 GiB of zeros. Returns the
// number of files.
inline int MakeSlowTree(const testing::ShellTestFolder& folder, int hits) {
  for (int i = 0; i < hits; ++i) folder.File("hit" + std::to_string(i) + ".txt", "a needle");
  const std::string sub = folder.Folder("zeros");
  for (const char* name : {"\\z1.bin", "\\z2.bin"}) {
    HANDLE file = CreateFileW(os::Widen(sub + name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 2LL << 30;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    EXPECT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
  }
  return hits + 2;
}

// Pumps until the window's rows are complete, the run is over and every snippet
// has been read.
inline bool WaitUntilFinished(results::TViewDlg& view, int milliseconds = 10000) {
  return testing::PumpUntil([&] { return !view.ProducingRows() && !view.SnippetsDue(); },
                            milliseconds);
}

// The steps of a search started from the main window: the pre-count, which closes
// itself, then the result window, handed to `look` once its run is over.
inline void ThenFinishedResultWindow(testing::ModalScript& script,
                                     std::function<void(results::TViewDlg&)> look) {
  script.Then([](ui::Form&) {});
  script.Then([look = std::move(look)](ui::Form& window) {
    auto& view = static_cast<results::TViewDlg&>(window);
    ASSERT_TRUE(WaitUntilFinished(view));
    look(view);
  });
}

inline std::vector<std::string> Column(const results::TViewDlg& view,
                                       std::string results::HitRecord::*field) {
  std::vector<std::string> texts;
  for (const results::HitRecord& row : view.Rows()) texts.push_back(row.*field);
  return texts;
}

// The rows' offsets as their hit lines write them ("-1": mismatched).
inline std::vector<std::string> OffsetColumn(const results::TViewDlg& view) {
  std::vector<std::string> texts;
  for (const results::HitRecord& row : view.Rows()) texts.push_back(search::HitOffsetText(row));
  return texts;
}

}  // namespace trovex::result_test
