// Times a search from the main window as a user runs it: the folder chosen, the text
// typed, 開始 pressed, until the result window shows the run over (pre-count
// included); the window is then closed without saving. Prints each run's time split
// into the pre-count and the search, and the rows. One more run follows with a
// second thread asking the result window for answers all along (its questions cost
// the search time, so the timed runs go without it): the longest wait for one.
//
//   trovex-live-search-bench <folder> <text> [runs]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/main_form.h"
#include "platform/shell/com_thread.h"
#include "platform/ui/application.h"
#include "platform/ui/prompts.h"
#include "responsiveness_probe.h"
#include "results/view_dlg.h"

using namespace trovex;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Answers every prompt as a user leaving no trace would: the save question with No.
class DeclineEveryPrompt : public ui::PromptService {
 public:
  void ShowMessage(const std::string& text) override { std::printf("message: %s\n", text.c_str()); }
  int MessageBox(const std::string&, const std::string&, unsigned) override { return IDNO; }
  bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
  std::string BrowseForFolder(const std::string&, const std::string&) override { return {}; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: trovex-live-search-bench <folder> <text> [runs]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string text = argv[2];
  const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
  os_shell::ComScope com;
  DeclineEveryPrompt prompts;
  ui::App().SetPrompts(&prompts);

  // The folder is shown after the window, whose showing restores the folder of the
  // last session.
  app::TForm1 form;
  form.Show();
  form.Browser.ShowFolder(folder, true);
  form.Options.Edit1.SetText(text);

  int status = 0;
  for (int run = 0; run <= runs; ++run) {
    const bool probed = run == runs;
    Clock::time_point start, shown, finished;
    std::size_t rows = 0;
    double longest = 0;
    bool sawResult = false;
    ui::App().ModalHook = [&](ui::Form& window) {
      auto* view = dynamic_cast<results::TViewDlg*>(&window);
      if (!view) return;  // the pre-count closes itself
      sawResult = true;
      shown = Clock::now();
      std::optional<bench::ResponsivenessProbe> probe;
      if (probed) probe.emplace(view->Handle());
      while (view->ProducingRows()) ui::App().HandleMessage();
      finished = Clock::now();
      if (probe) {
        probe->Stop();
        longest = probe->LongestMilliseconds();
      }
      rows = view->Rows().size();
      view->Close();
    };
    start = Clock::now();
    form.SpeedButton3.Click();
    ui::App().ModalHook = nullptr;
    if (!sawResult) {
      std::printf("run %d: no result window\n", run + 1);
      status = 1;
      continue;
    }
    if (probed) {
      std::printf("answering run: %.2f s, longest time without an answer to a message: %.0f ms\n",
                  Seconds(finished - start), longest);
    } else {
      std::printf("run %d: %.2f s (pre-count %.2f s, search %.2f s), %zu rows\n", run + 1,
                  Seconds(finished - start), Seconds(shown - start), Seconds(finished - shown),
                  rows);
    }
    std::fflush(stdout);
  }
  return status;
}
