// The main of every Windows test executable. No test may hang on a dialog:
//  - a form that opens modally while no ModalScript runs fails the test and is
//    cancelled;
//  - a prompt (message box, question, folder picker) while no ScriptedPrompts runs
//    fails the test and gets a cancel;
//  - a system dialog of this process (a message box the program shows without the
//    prompt service) that stays up for two seconds is closed by a watchdog, and the
//    test that was running fails.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/wide.h"

namespace {

class UnexpectedPrompts : public trovex::ui::PromptService {
 public:
  void ShowMessage(const std::string& text) override { Fail("ShowMessage", text); }
  int MessageBox(const std::string& text, const std::string&, unsigned) override {
    Fail("MessageBox", text);
    return IDCANCEL;
  }
  bool InputQuery(const std::string&, const std::string& prompt, std::string&) override {
    Fail("InputQuery", prompt);
    return false;
  }
  std::string BrowseForFolder(const std::string& title, const std::string&) override {
    Fail("BrowseForFolder", title);
    return {};
  }

 private:
  static void Fail(const char* kind, const std::string& text) {
    ADD_FAILURE() << "unexpected " << kind << " with no scripted prompts: " << text;
  }
};

// Closes dialogs of this process that stay open, from a thread of its own.
class DialogWatchdog {
 public:
  DialogWatchdog() : thread_([this] { Watch(); }) {}
  ~DialogWatchdog() {
    stop_ = true;
    thread_.join();
  }
  // The dialogs closed since the last call.
  std::string TakeClosed() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(closed_, std::string());
  }

 private:
  struct Scan {
    DialogWatchdog* self;
    HWND found = nullptr;
  };

  void Watch() {
    HWND seen = nullptr;
    auto since = std::chrono::steady_clock::now();
    while (!stop_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      Scan scan{this};
      EnumWindows(
          [](HWND hwnd, LPARAM data) -> BOOL {
            auto* scan = reinterpret_cast<Scan*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            wchar_t cls[16] = {};
            GetClassNameW(hwnd, cls, 16);
            if (process == GetCurrentProcessId() && IsWindowVisible(hwnd) &&
                wcscmp(cls, L"#32770") == 0) {
              scan->found = hwnd;
              return FALSE;
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&scan));
      if (scan.found != seen) {
        seen = scan.found;
        since = std::chrono::steady_clock::now();
        continue;
      }
      if (seen != nullptr && std::chrono::steady_clock::now() - since > std::chrono::seconds(2)) {
        wchar_t text[256] = {};
        GetWindowTextW(seen, text, 256);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          closed_.append(1, '"').append(trovex::ui::Narrow(text)).append("\" ");
        }
        // Whatever buttons it has, one of these ends it.
        for (WPARAM id : {IDCANCEL, IDNO, IDOK, IDABORT, IDIGNORE})
          PostMessageW(seen, WM_COMMAND, id, 0);
        PostMessageW(seen, WM_CLOSE, 0, 0);
        seen = nullptr;
      }
    }
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::string closed_;
  std::thread thread_;
};

class DialogGuard : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override { watchdog_.TakeClosed(); }
  void OnTestEnd(const ::testing::TestInfo& test) override {
    const std::string closed = watchdog_.TakeClosed();
    if (!closed.empty()) {
      failed_ = true;
      std::fprintf(stderr, "[  FAILED  ] %s.%s left a dialog open that no test expected: %s\n",
                   test.test_suite_name(), test.name(), closed.c_str());
    }
  }
  bool Failed() const { return failed_; }

 private:
  DialogWatchdog watchdog_;
  bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  UnexpectedPrompts unexpected;
  trovex::ui::App().SetPrompts(&unexpected);
  trovex::ui::App().ModalHook = [](trovex::ui::Form& form) {
    ADD_FAILURE() << "unexpected modal form with no modal script: " << form.Caption();
    form.SetModalResult(trovex::ui::mrCancel);
  };
  auto* guard = new DialogGuard;  // the listener list owns it
  ::testing::UnitTest::GetInstance()->listeners().Append(guard);
  const int status = RUN_ALL_TESTS();
  const bool dialogs = guard->Failed();
  trovex::ui::App().SetPrompts(nullptr);
  return status != 0 || dialogs ? 1 : 0;
}
