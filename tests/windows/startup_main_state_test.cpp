#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_identity.h"
#include "app/program_state_steps.h"
#include "platform/os/registry.h"
#include "startup_test_support.h"

using namespace trovex;
using startup_test::SettingsKeyGuard;

// One run of the main window's state: start, change, close, start again.
TEST(StartupMainState, SettingsAndLogSurviveARun) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  {
    os::RegistryKey key;
    ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, app::kSettingsKey));
    key.WriteString("extpath", "C:\\h\\a.txd");
    key.WriteBool("exit frg", true);
    key.WriteInteger("option", 1);
  }
  startup_test::TempDir dir;
  std::string exe = dir.path() + "Trovex.exe";
  std::vector<std::string> messages;
  auto show = [&](const std::string& m) { messages.push_back(m); };

  app::ProgramState first;
  app::StartFolders(first, exe, "user");
  app::StartSettingsAndProbes(first, exe, show);
  EXPECT_EQ(first.ProgramDir, dir.path());
  EXPECT_TRUE(startup_test::Exists(first.UserDataDir));
  EXPECT_EQ(first.Settings.PendingResultsPath, "C:\\h\\a.txd");
  EXPECT_TRUE(first.Settings.PendingResultsFlag);
  EXPECT_EQ(first.Settings.ByteListDisplay, results::BinaryDisplay::Chars);
  EXPECT_EQ(first.Settings.ExitMode, results::ExitMode::LogOff);
  EXPECT_GE(first.OsLevel, 5);    // Wine has QueryFullProcessImageNameW
  EXPECT_TRUE(messages.empty());  // and reports an administrator

  startup_test::WriteFile(first.ErrorLogPath, "");
  app::LoadErrorLog(first);
  EXPECT_TRUE(first.ErrorLogList.empty());
  first.ErrorLogList.push_back("[2026/12/07 12:00:00]\n OpenProcessToken Error");
  first.Settings.CurrentPath = "C:\\Windows\\";
  first.Settings.PendingResultsFlag = false;
  first.Settings.ExitMode = results::ExitMode::Standby;
  first.Settings.TextOnlyChecked = true;  // as the windows left their options
  first.Settings.ByteListDisplay = results::BinaryDisplay::Hex;
  EXPECT_TRUE(app::SaveAtClose(first));

  app::ProgramState second;
  app::StartFolders(second, exe, "user");
  app::StartSettingsAndProbes(second, exe, show);
  app::LoadErrorLog(second);
  EXPECT_EQ(second.Settings.CurrentPath, "C:\\Windows\\");
  EXPECT_FALSE(second.Settings.PendingResultsFlag);
  EXPECT_EQ(second.Settings.ExitMode, results::ExitMode::Standby);
  EXPECT_TRUE(second.Settings.TextOnlyChecked);
  EXPECT_EQ(second.Settings.ByteListDisplay, results::BinaryDisplay::Hex);
  EXPECT_EQ(second.ErrorLogList,
            (std::vector<std::string>{"[2026/12/07 12:00:00]", " OpenProcessToken Error"}));
}

// The key removed while the program ran: the close skips the settings, still
// saves the log, and does not bring the key back.
TEST(StartupMainState, CloseAfterTheKeyWasRemoved) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  startup_test::TempDir dir;
  app::ProgramState state;
  app::StartFolders(state, dir.path() + "Trovex.exe", "user");
  app::StartSettingsAndProbes(state, dir.path() + "Trovex.exe", [](const std::string&) {});
  startup_test::WriteFile(state.ErrorLogPath, "");
  state.ErrorLogList = {"x"};
  SettingsKeyGuard::DeleteKey();
  EXPECT_FALSE(app::SaveAtClose(state));
  EXPECT_FALSE(os::RegistryKeyExists(os::RegistryRoot::CurrentUser, app::kSettingsKey));
  EXPECT_EQ(startup_test::ReadFile(state.ErrorLogPath), "x\r\n");
}
