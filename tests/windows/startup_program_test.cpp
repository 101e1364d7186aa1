// Trovex.exe itself, started as another process from a copy in a temporary
// folder (so that its folders are made there): the refused second instance, the
// missing settings key, and a normal start and close.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_identity.h"
#include "platform/os/named_mutex.h"
#include "platform/os/registry.h"
#include "platform/os/user_name.h"
#include "startup_test_support.h"

using namespace trovex;
using startup_test::SettingsKeyGuard;

namespace {

struct WindowSearch {
  DWORD processId;
  std::wstring className;
  HWND found = nullptr;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == search->processId && search->className == name && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
  wchar_t name[32] = {};
  GetClassNameW(child, name, 32);
  if (lstrcmpiW(name, L"Static") == 0) {
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    if (text[0]) reinterpret_cast<std::vector<std::string>*>(param)->push_back(os::Narrow(text));
  }
  return TRUE;
}

// The program under test, running from a copy in its own folder.
class RunningTrovex {
 public:
  explicit RunningTrovex(const std::string& folder) {
    std::string exe = folder + "Trovex.exe";
    CopyFileW(os::Widen(startup_test::TestExeDir() + "..\\Trovex.exe").c_str(),
              os::Widen(exe).c_str(), FALSE);
    std::wstring commandLine = L"\"" + os::Widen(exe) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_);
  }
  ~RunningTrovex() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool started() const { return started_; }

  // A visible top-level window of the class, waited for up to 20 s.
  HWND WaitForWindow(const wchar_t* className) {
    for (int i = 0; i < 2000; ++i) {
      WindowSearch search{process_.dwProcessId, className};
      EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
      if (search.found) return search.found;
      if (WaitForSingleObject(process_.hProcess, 10) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }
  // The text of the message box it shows, which is then closed with OK.
  std::string AnswerMessageBox() {
    HWND box = WaitForWindow(L"#32770");
    if (!box) return "(no message box)";
    std::vector<std::string> texts;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return texts.empty() ? "" : texts.back();
  }
  // The exit code, or -1 when it has not ended within 20 s.
  int WaitForExit() {
    if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

}  // namespace

TEST(StartupProgram, SecondInstanceIsRefusedAndCreatesNothing) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  startup_test::TempDir dir;
  os::NamedMutex first;
  ASSERT_TRUE(first.Create(app::kAppTitle));
  RunningTrovex trovex(dir.path());
  ASSERT_TRUE(trovex.started());
  EXPECT_EQ(trovex.AnswerMessageBox(), "Trovex βは実行中です。");
  EXPECT_EQ(trovex.WaitForExit(), 0);
  EXPECT_FALSE(startup_test::Exists(dir.path() + "data"));
  os::RegistryKey key;
  ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, app::kSettingsKey));
  EXPECT_TRUE(key.ValueNames().empty());
}

TEST(StartupProgram, MissingKeyWritesNothingAndCreatesNoFolder) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::DeleteKey();
  startup_test::TempDir dir;
  RunningTrovex trovex(dir.path());
  ASSERT_TRUE(trovex.started());
  EXPECT_EQ(trovex.AnswerMessageBox(), "インストールして、ご使用下さい！！");
  EXPECT_EQ(trovex.WaitForExit(), 0);
  EXPECT_FALSE(startup_test::Exists(dir.path() + "data"));
  EXPECT_FALSE(os::RegistryKeyExists(os::RegistryRoot::CurrentUser, app::kSettingsKey));
  EXPECT_FALSE(os::NamedMutexExists(app::kAppTitle));
}

TEST(StartupProgram, StartsAndSavesItsSettingsWhenClosed) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  {
    os::RegistryKey key;
    ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, app::kSettingsKey));
    key.WriteInteger("shut downmode", 3);
  }
  startup_test::TempDir dir;
  RunningTrovex trovex(dir.path());
  ASSERT_TRUE(trovex.started());
  HWND main = trovex.WaitForWindow(L"TrovexForm");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(os::NamedMutexExists(app::kAppTitle));
  EXPECT_TRUE(startup_test::Exists(dir.path() + "data\\" + os::CurrentUserName() + "\\"));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(trovex.WaitForExit(), 0);

  os::RegistryKey key;
  ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, app::kSettingsKey));
  EXPECT_EQ(key.ReadString("updatepath"), dir.path());
  EXPECT_EQ(key.ReadInteger("shut downmode"), 3);
  EXPECT_EQ(key.ValueNames().size(), 9u);
  EXPECT_FALSE(os::NamedMutexExists(app::kAppTitle));
}
