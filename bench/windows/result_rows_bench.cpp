// Fills a result window with hit lines of existing files (100,000 by default) and
// reports how long the rows took to be complete and the longest time the window
// did not answer a message meanwhile (measured from a second thread that keeps
// sending it WM_NULL).
//
//   trovex-result-rows-bench [lines [files]]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/fs/file_facts.h"
#include "platform/os/wide_text.h"
#include "responsiveness_probe.h"
#include "platform/shell/com_thread.h"
#include "platform/ui/application.h"
#include "results/hit_row_builder.h"
#include "results/view_dlg.h"
#include "search/parse_search_content.h"

using namespace trovex;
using Clock = std::chrono::steady_clock;

namespace {

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

std::string MakeFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = os::Narrow(temp) + "trovex-result-rows-bench";
  CreateDirectoryW(os::Widen(folder).c_str(), nullptr);
  CreateDirectoryW(os::Widen(folder + "\\empty").c_str(), nullptr);
  return folder;
}

void WriteSample(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(os::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int main(int argc, char** argv) {
  const long lines = argc > 1 ? std::atol(argv[1]) : 100000;
  const long files = argc > 2 ? std::atol(argv[2]) : 2000;
  os_shell::ComScope com;

  const std::string folder = MakeFolder();
  std::string content(4096, '.');
  for (std::size_t at = 0; at + 6 <= content.size(); at += 64) content.replace(at, 6, "needle");
  for (long f = 0; f < files; ++f)
    WriteSample(folder + "\\f" + std::to_string(f) + ".txt", content);

  results::ProgramState state;
  search::SearchOptions options;
  options.content = "needle";
  search::ParseSearchContent(options.content, options, {}, state.Query);
  state.Conditions = search::ConditionsFor(options);
  // The hit lines are there before the window shows; its worker walks an empty
  // folder and ends at once, so the window's whole work is the rows.
  for (long i = 0; i < lines; ++i) {
    state.Progress.hitList.Add({folder + "\\f" + std::to_string(i % files) + ".txt",
                                static_cast<std::uint64_t>((i / files) % 64 * 64)});
  }
  state.Progress.totalFiles = 0;

  // The cost of the rows alone, built without a window, for comparison.
  {
    results::HitRowBuilder builder;
    const results::SnippetInputs snippet =
        results::SnippetInputsFor(options, state.Query, results::BinaryDisplay::Hex);
    const long sample = std::min(lines, 10000L);
    const auto begin = Clock::now();
    for (long i = 0; i < sample; ++i)
      builder.Build(state.Progress.hitList.At(static_cast<std::size_t>(i)));
    std::printf("rows built without a window: %.3f ms per row\n",
                Milliseconds(Clock::now() - begin) / static_cast<double>(sample));
    // Where a row's time goes: the attribute query and the snippet's read alone.
    const auto timePerRow = [&](const char* what, auto&& step) {
      const auto from = Clock::now();
      for (long i = 0; i < sample; ++i) step(i % files);
      std::printf("  of which %s: %.3f ms per row\n", what,
                  Milliseconds(Clock::now() - from) / static_cast<double>(sample));
    };
    for (unsigned threads : {1u, 2u, 4u}) {
      std::mutex shellLock;
      results::RowFeeder feeder([&](std::size_t i) { return state.Progress.hitList.At(i); },
                                [&] { return results::MakeShellRowMaker(shellLock); }, threads);
      feeder.Restart(0);
      feeder.Extend(static_cast<std::size_t>(sample));
      std::vector<results::HitRecord> rows;
      const auto from = Clock::now();
      while (rows.size() < static_cast<std::size_t>(sample))
        feeder.Take(rows, static_cast<std::size_t>(sample) - rows.size(),
                    std::chrono::milliseconds(50));
      std::printf("rows built by a feeder of %u thread(s): %.3f ms per row\n", threads,
                  Milliseconds(Clock::now() - from) / static_cast<double>(sample));
    }
    timePerRow("file facts",
               [&](long f) { fs::LookUpFile(folder + "\\f" + std::to_string(f) + ".txt"); });
    timePerRow("snippet read", [&](long f) {
      results::MakeSnippet(folder + "\\f" + std::to_string(f) + ".txt", 64, snippet);
    });
  }

  results::ResultWindowSetup setup;
  setup.contentText = options.content;
  setup.snippet = results::SnippetInputsFor(options, state.Query, results::BinaryDisplay::Hex);
  results::LiveSearchRun run;
  run.locations.paths = {folder + "\\empty"};
  run.matchOptions = search::MatchOptionsFor(options, state.Query.mode);
  setup.live = run;

  auto view = ui::MakeForm<results::TViewDlg>(nullptr, state, std::move(setup));
  const auto start = Clock::now();
  view->Show();
  bench::ResponsivenessProbe probe(view->Handle());
  while (view->ProducingRows()) ui::App().HandleMessage();
  const double elapsed = Milliseconds(Clock::now() - start);

  // The snippets of the rows on screen come first; the rest follow behind.
  const std::size_t shownDue = static_cast<std::size_t>(std::count_if(
      view->Rows().begin(), view->Rows().begin() + std::min<std::size_t>(view->Rows().size(), 20),
      [](const results::HitRecord& row) { return row.contentDue; }));
  while (view->SnippetsDue()) ui::App().HandleMessage();
  const double snippetsElapsed = Milliseconds(Clock::now() - start);
  probe.Stop();

  std::printf("rows: %zu of %ld hit lines over %ld files\n", view->Rows().size(), lines, files);
  std::printf("time until the rows were complete: %.2f s\n", elapsed / 1000.0);
  std::printf("  of the first 20 rows then without their snippet: %zu\n", shownDue);
  std::printf("time until every snippet was read: %.2f s\n", snippetsElapsed / 1000.0);
  std::printf("longest time without an answer to a message: %.1f ms (%ld answers)\n",
              probe.LongestMilliseconds(), probe.Answers());
  std::printf("per row in the window: %.3f ms\n", elapsed / static_cast<double>(lines));
  view->Close();
  return view->Rows().size() == static_cast<std::size_t>(lines) ? 0 : 1;
}
