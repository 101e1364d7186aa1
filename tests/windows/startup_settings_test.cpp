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
  app::StoredSettings written;
  written.CurrentPath = "C:\\表示\\";  // trail byte 0x5C inside
  written.PendingResultsPath = "C:\\Trovex\\data\\user\\20261207 123456.txd";
  written.PendingResultsFlag = true;
  written.PrsRowChecked = true;
  written.TextOnlyChecked = false;
  written.ExitMode = results::ExitMode::Hibernate;
  written.ByteListDisplay = results::BinaryDisplay::Chars;
  written.EncodingIndex = 1;
  ASSERT_TRUE(app::WriteClosingSettings(written));

  os::RegistryKey key = OpenSettingsKey();
  EXPECT_EQ(key.ValueType("path"), REG_SZ);
  EXPECT_EQ(key.ValueType("extpath"), REG_SZ);
  for (const char* name :
       {"exit frg", "prsrowfrg", "text only", "shut downmode", "option", "encoding"})
    EXPECT_EQ(key.ValueType(name), REG_DWORD) << name;
  EXPECT_EQ(key.ValueNames().size(), 8u);
  EXPECT_EQ(key.ReadInteger("exit frg"), 1);
  EXPECT_EQ(key.ReadInteger("text only"), 0);
  EXPECT_EQ(key.ReadInteger("encoding"), 1);
  EXPECT_EQ(key.ReadInteger("shut downmode"), 3);
  EXPECT_EQ(key.ReadInteger("option"), 1);
  key.Close();

  app::StoredSettings read;
  app::ReadStartupSettings("C:\\Program\\", read);
  EXPECT_EQ(read.CurrentPath, written.CurrentPath);
  EXPECT_EQ(read.PendingResultsPath, written.PendingResultsPath);
  EXPECT_TRUE(read.PendingResultsFlag);
  EXPECT_TRUE(read.PrsRowChecked);
  EXPECT_FALSE(read.TextOnlyChecked);
  EXPECT_EQ(read.ExitMode, results::ExitMode::Hibernate);
  EXPECT_EQ(read.ByteListDisplay, results::BinaryDisplay::Chars);
  EXPECT_EQ(read.EncodingIndex, 1);
}

// A mode no item stands for reads as the one the program falls back to: log-off,
// hexadecimal bytes.
TEST(StartupSettings, StoredModesOutsideTheirItemsFallBack) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  {
    os::RegistryKey key = OpenSettingsKey();
    key.WriteInteger("shut downmode", 4);
    key.WriteInteger("option", 2);
  }
  app::StoredSettings read;
  read.ExitMode = results::ExitMode::Standby;
  read.ByteListDisplay = results::BinaryDisplay::Chars;
  app::ReadStartupSettings("C:\\Program\\", read);
  EXPECT_EQ(read.ExitMode, results::ExitMode::LogOff);
  EXPECT_EQ(read.ByteListDisplay, results::BinaryDisplay::Hex);
  {
    os::RegistryKey key = OpenSettingsKey();
    key.WriteInteger("shut downmode", -1);
    key.WriteInteger("option", -1);
  }
  read.ByteListDisplay = results::BinaryDisplay::Chars;
  app::ReadStartupSettings("C:\\Program\\", read);
  EXPECT_EQ(read.ExitMode, results::ExitMode::LogOff);
  EXPECT_EQ(read.ByteListDisplay, results::BinaryDisplay::Hex);
}

TEST(StartupSettings, AbsentValuesKeepTheirDefaults) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  {
    os::RegistryKey key = OpenSettingsKey();
    key.WriteInteger("shut downmode", 2);
  }
  app::StoredSettings read;
  read.CurrentPath = "unchanged";
  app::ReadStartupSettings("C:\\Program\\", read);
  EXPECT_EQ(read.CurrentPath, "unchanged");
  EXPECT_EQ(read.ExitMode, results::ExitMode::Standby);
  EXPECT_EQ(read.ByteListDisplay, results::BinaryDisplay::Hex);
  EXPECT_EQ(read.EncodingIndex, 0);  // an installation from before the value existed
  EXPECT_FALSE(read.PendingResultsFlag);
}

TEST(StartupSettings, UpdatePathIsWrittenOnceAndNeverChanged) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  app::StoredSettings settings;
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
  app::StoredSettings settings;
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
  app::StoredSettings settings;
  settings.ByteListDisplay = results::BinaryDisplay::Chars;
  app::ReadStartupSettings("C:\\Program\\", settings);
  EXPECT_EQ(settings.ByteListDisplay, results::BinaryDisplay::Chars);
  EXPECT_FALSE(app::WriteClosingSettings(settings));
  EXPECT_FALSE(os::RegistryKeyExists(os::RegistryRoot::CurrentUser, app::kSettingsKey));
}
