#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_identity.h"
#include "app/program_entry.h"
#include "platform/os/named_mutex.h"
#include "platform/os/registry.h"
#include "startup_test_support.h"

using namespace trovex;
using startup_test::SettingsKeyGuard;

namespace {

struct Recorder {
  std::vector<std::string> calls;
  std::function<void()> onCreate = [] {};
  app::ProgramEntryHooks Hooks() {
    app::ProgramEntryHooks hooks;
    hooks.setTitle = [this](const std::string& t) { calls.push_back("title:" + t); };
    hooks.showMessage = [this](const std::string& m) { calls.push_back("message:" + m); };
    hooks.createWindows = [this] {
      calls.push_back("create");
      onCreate();
    };
    hooks.runMessageLoop = [this] { calls.push_back("loop"); };
    hooks.showException = [this](const std::exception& e) {
      calls.push_back(std::string("exception:") + e.what());
    };
    return hooks;
  }
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(StartupEntry, RunsWindowsWhenKeyExistsAndReleasesTheMutex) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  Recorder recorder;
  bool mutexHeldWhileRunning = false;
  recorder.onCreate = [&] { mutexHeldWhileRunning = os::NamedMutexExists(app::kAppTitle); };
  EXPECT_EQ(app::RunProgramEntry(recorder.Hooks()), 0);
  EXPECT_EQ(recorder.calls, (Calls{"title:Trovex β", "create", "loop"}));
  EXPECT_TRUE(mutexHeldWhileRunning);
  EXPECT_FALSE(os::NamedMutexExists(app::kAppTitle));
}

TEST(StartupEntry, MissingKeyShowsInstallMessageAndCreatesNothing) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::DeleteKey();
  Recorder recorder;
  EXPECT_EQ(app::RunProgramEntry(recorder.Hooks()), 0);
  EXPECT_EQ(recorder.calls,
            (Calls{"title:Trovex β", "message:インストールして、ご使用下さい！！"}));
  EXPECT_FALSE(os::RegistryKeyExists(os::RegistryRoot::CurrentUser, app::kSettingsKey));
  EXPECT_FALSE(os::NamedMutexExists(app::kAppTitle));
}

TEST(StartupEntry, ExceptionFromWindowCreationIsShownAndTheProgramEndsNormally) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  Recorder recorder;
  recorder.onCreate = [] { throw std::runtime_error("Invalid data type for 'path'"); };
  EXPECT_EQ(app::RunProgramEntry(recorder.Hooks()), 0);
  EXPECT_EQ(recorder.calls,
            (Calls{"title:Trovex β", "create", "exception:Invalid data type for 'path'"}));
  EXPECT_FALSE(os::NamedMutexExists(app::kAppTitle));
}

// A second process finds the first one's mutex and stops after its message,
// even when the first is only at the install message (the key is missing here).
TEST(StartupEntry, SecondProcessIsRefused) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  startup_test::TempDir dir;
  std::string out = dir.path() + "probe.txt";
  std::string probe = startup_test::TestExeDir() + "trovex_standin_entry.exe";

  {
    os::NamedMutex first;
    ASSERT_TRUE(first.Create(app::kAppTitle));
    EXPECT_EQ(startup_test::RunProgram(probe, "\"" + out + "\"", 30000), 0);
    EXPECT_EQ(startup_test::ReadFile(out),
              "title:Trovex β\nmessage:Trovex βは実行中です。\nexit:0\n");
    EXPECT_TRUE(first.Release());
    EXPECT_TRUE(first.Close());
  }
  // Once the first instance has gone, the same program starts normally.
  EXPECT_EQ(startup_test::RunProgram(probe, "\"" + out + "\"", 30000), 0);
  EXPECT_EQ(startup_test::ReadFile(out), "title:Trovex β\ncreate\nloop\nexit:0\n");
}

// Two starts that both pass the existence check race to create the mutex; the one
// that comes second learns it from Create.
TEST(StartupEntry, CreatingAnExistingMutexIsReportedAndLeavesItWithItsOwner) {
  os::NamedMutex first;
  ASSERT_TRUE(first.Create(app::kAppTitle));
  EXPECT_FALSE(first.AlreadyExisted());
  {
    os::NamedMutex second;
    ASSERT_TRUE(second.Create(app::kAppTitle));
    EXPECT_TRUE(second.AlreadyExisted());
  }
  EXPECT_TRUE(os::NamedMutexExists(app::kAppTitle));
  EXPECT_TRUE(first.Release());
  EXPECT_TRUE(first.Close());
  EXPECT_FALSE(os::NamedMutexExists(app::kAppTitle));
}
