// Opens the history list over a folder of history files (2,000 of 1,000 hits each
// by default) and reports how long it took until its rows were shown and the
// longest time the window it was opened from did not answer a message meanwhile.
//
//   trovex-history-list-bench [files [hits]]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/fs/whole_file_write.h"
#include "platform/os/wide_text.h"
#include "platform/ui/application.h"
#include "results/file_list_dlg.h"
#include "results/history_file.h"
#include "responsiveness_probe.h"

using namespace trovex;
using Clock = std::chrono::steady_clock;

namespace {

std::string MakeFolder(long files, long hits) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = os::Narrow(temp) + "trovex-history-list-bench\\";
  CreateDirectoryW(os::Widen(folder).c_str(), nullptr);
  results::HistoryContent content{"検索語", {}, {"検索語"}, 0};
  for (long i = 0; i < hits; ++i) {
    content.hits.push_back({"C:\\bench\\projects\\Folder" + std::to_string(i / 100) +
                                "\\Source File " + std::to_string(i) + ".txt",
                            static_cast<std::uint64_t>(i) * 37});
  }
  const std::string text = results::HistoryFileText(content);
  for (long f = 0; f < files; ++f) {
    const std::string path = folder + "2026" + std::to_string(1000 + f % 300) + " " +
                             std::to_string(100000 + f) + ".txd";
    if (GetFileAttributesW(os::Widen(path).c_str()) == INVALID_FILE_ATTRIBUTES)
      fs::ReplaceWholeFile(path, text);
  }
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  const long files = argc > 1 ? std::atol(argv[1]) : 2000;
  const long hits = argc > 2 ? std::atol(argv[2]) : 1000;
  results::HistoryListSetup setup;
  setup.userDataDir = MakeFolder(files, hits);
  setup.colorDepth = 32;
  setup.openHistory = [](const std::string&, bool) { return false; };

  // The file reading alone, without a window, for comparison.
  {
    const auto begin = Clock::now();
    const auto rows = results::ReadHistoryList(setup.userDataDir);
    std::printf("rows read without a window: %zu in %.2f s\n", rows.size(),
                bench::Milliseconds(Clock::now() - begin) / 1000.0);
  }

  ui::Form owner;
  owner.SetCaption("owner");
  owner.Show();
  bench::ResponsivenessProbe probe(owner.Handle());
  ui::App().ProcessMessages();
  const auto start = Clock::now();
  auto dialog = ui::MakeForm<results::TFileListDlg>(&owner, std::move(setup));
  dialog->Show();
  const double opened = bench::Milliseconds(Clock::now() - start);
  while (dialog->ListView1.RowCount() < static_cast<std::size_t>(files)) ui::App().HandleMessage();
  const double elapsed = bench::Milliseconds(Clock::now() - start);
  // A question still waiting is answered (and counted) before the probe stops.
  const auto settle = Clock::now();
  while (Clock::now() - settle < std::chrono::milliseconds(200)) {
    ui::App().ProcessMessages();
    Sleep(1);
  }
  probe.Stop();

  std::printf("history files: %zu of %ld with %ld hits each\n", dialog->Rows().size(), files, hits);
  std::printf("time until the dialog showed (no row yet): %.1f ms\n", opened);
  std::printf("time until the list showed every row: %.2f s\n", elapsed / 1000.0);
  std::printf("longest time without an answer to a message: %.1f ms (%ld answers)\n",
              probe.LongestMilliseconds(), probe.Answers());
  const bool complete = dialog->Rows().size() == static_cast<std::size_t>(files) &&
                        dialog->Rows().front().hitCountText == std::to_string(hits);
  dialog->Close();
  return complete ? 0 : 1;
}
