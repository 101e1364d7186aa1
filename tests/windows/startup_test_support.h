#pragma once
// Helpers for the start-up tests: a temporary folder, the settings key kept as it
// was before a test, a stand-in help viewer window, and starting a program built
// next to the test executable.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/os/wide_text.h"

namespace startup_test {

// A fresh folder under the temporary folder (CP932 path with a trailing "\"),
// deleted with its content afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Saves the settings key (its existence and every value) and puts it back as it
// was when destroyed, so tests may create, change or delete it.
class SettingsKeyGuard {
 public:
  SettingsKeyGuard();
  ~SettingsKeyGuard();
  SettingsKeyGuard(const SettingsKeyGuard&) = delete;
  SettingsKeyGuard& operator=(const SettingsKeyGuard&) = delete;

  static void DeleteKey();
  static void CreateEmptyKey();

 private:
  struct Value {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
  };
  bool existed_ = false;
  std::vector<Value> values_;
};

// A window of the help viewer's class in this process, with an owner window of its
// own, that keeps the text and sender of the WM_COPYDATA it receives.
class FakeViewer {
 public:
  FakeViewer();
  ~FakeViewer();
  FakeViewer(const FakeViewer&) = delete;
  FakeViewer& operator=(const FakeViewer&) = delete;

  static inline std::string received;
  static inline WPARAM sender = 0;
  HWND owner = nullptr;
  HWND window = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);  // empty when missing
bool Exists(const std::string& path);

// Folder of the running test executable, with a trailing "\".
std::string TestExeDir();

// Starts a program and waits for it to end (at most `timeoutMs`). Returns its exit
// code, or -1 when it could not start or did not end in time (it is then ended).
int RunProgram(const std::string& exePath, const std::string& arguments, DWORD timeoutMs);

}  // namespace startup_test
