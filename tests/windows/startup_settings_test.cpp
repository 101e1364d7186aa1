#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_identity.h"
#include "app/startup_steps.h"
#include "platform/os/registry.h"
#include "startup_test_support.h"

using namespace trovex;
using startup_test::SettingsKeyGuard;

namespace {

os::RegistryKey OpenSettingsKey() {
  os::RegistryKey key;
  EXPECT_TRUE(key.Open(os::RegistryRoot::CurrentUser, app::kSettingsKey));
  return key;
}

}  // namespace

TEST(StartupSettings, RoundTripUsesExactNamesAndTypes) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  app::AppSettings written;
  written.path = "C:\\表示\\";  // trail byte 0x5C inside
  written.extpath = "C:\\Trovex\\data\\user\\20261207 123456.txd";
  written.exitFrg = true;
  written.prsRowFrg = true;
  written.textOnly = false;
  written.shutDownMode = 3;
  written.option = 1;
  ASSERT_TRUE(app::WriteClosingSettings(written));

  os::RegistryKey key = OpenSettingsKey();
  EXPECT_EQ(key.ValueType("path"), REG_SZ);
  EXPECT_EQ(key.ValueType("extpath"), REG_SZ);
  for (const char* name : {"exit frg", "prsrowfrg", "text only", "shut downmode", "option"})
    EXPECT_EQ(key.ValueType(name), REG_DWORD) << name;
  EXPECT_EQ(key.ValueNames().size(), 7u);
  EXPECT_EQ(key.ReadInteger("exit frg"), 1);
  EXPECT_EQ(key.ReadInteger("text only"), 0);
  key.Close();

  app::AppSettings read;
  app::ReadStartupSettings("C:\\Program\\", read);
  EXPECT_EQ(read.path, written.path);
  EXPECT_EQ(read.extpath, written.extpath);
  EXPECT_TRUE(read.exitFrg);
  EXPECT_TRUE(read.prsRowFrg);
  EXPECT_FALSE(read.textOnly);
  EXPECT_EQ(read.shutDownMode, 3);
  EXPECT_EQ(read.option, 1);
}

TEST(StartupSettings, AbsentValuesKeepTheirDefaults) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  {
    os::RegistryKey key = OpenSettingsKey();
    key.WriteInteger("shut downmode", 2);
  }
  app::AppSettings read;
  read.path = "unchanged";
  app::ReadStartupSettings("C:\\Program\\", read);
  EXPECT_EQ(read.path, "unchanged");
  EXPECT_EQ(read.shutDownMode, 2);
  EXPECT_EQ(read.option, 0);
  EXPECT_FALSE(read.exitFrg);
}

TEST(StartupSettings, UpdatePathIsWrittenOnceAndNeverChanged) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  app::AppSettings settings;
  app::ReadStartupSettings("C:\\First\\", settings);
  EXPECT_EQ(OpenSettingsKey().ReadString("updatepath"), "C:\\First\\");
  EXPECT_EQ(OpenSettingsKey().ValueType("updatepath"), REG_SZ);
  app::ReadStartupSettings("D:\\Moved\\", settings);
  EXPECT_TRUE(app::WriteClosingSettings(settings));
  EXPECT_EQ(OpenSettingsKey().ReadString("updatepath"), "C:\\First\\");
}

TEST(StartupSettings, WrongTypeRaisesAnError) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  OpenSettingsKey().WriteInteger("path", 5);
  app::AppSettings settings;
  EXPECT_THROW(app::ReadStartupSettings("C:\\Program\\", settings), os::RegistryError);
  OpenSettingsKey().WriteString("path", "x");
  OpenSettingsKey().WriteString("option", "1");
  EXPECT_THROW(app::ReadStartupSettings("C:\\Program\\", settings), os::RegistryError);
}

// A key removed while the program ran is not made again at close, and the
// read at start creates nothing either.
TEST(StartupSettings, MissingKeyIsNeitherReadNorCreated) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::DeleteKey();
  app::AppSettings settings;
  settings.option = 1;
  app::ReadStartupSettings("C:\\Program\\", settings);
  EXPECT_EQ(settings.option, 1);
  EXPECT_FALSE(app::WriteClosingSettings(settings));
  EXPECT_FALSE(os::RegistryKeyExists(os::RegistryRoot::CurrentUser, app::kSettingsKey));
}
