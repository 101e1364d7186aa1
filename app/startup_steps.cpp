#include "app/startup_steps.h"

#include "app/app_identity.h"
#include "app/os_level.h"
#include "platform/fs/dir_listing.h"
#include "platform/fs/file_ops.h"
#include "platform/os/registry.h"
#include "platform/os/version_probe.h"
#include "platform/shell/admin_test.h"
#include "platform/shell/shortcut.h"

namespace trovex::app {
namespace {

void ReadValue(const os::RegistryKey& key, const char* name, std::string& value) {
  key.TryReadString(name, value);
}
void ReadValue(const os::RegistryKey& key, const char* name, bool& value) {
  key.TryReadBool(name, value);
}
void ReadValue(const os::RegistryKey& key, const char* name, std::int32_t& value) {
  key.TryReadInteger(name, value);
}
// The modes are kept as their item index; an index no item stands for reads as
// the mode it falls back to.
void ReadValue(const os::RegistryKey& key, const char* name, results::ExitMode& value) {
  std::int32_t index = results::IndexOf(value);
  if (key.TryReadInteger(name, index)) value = results::ExitModeFromIndex(index);
}
void ReadValue(const os::RegistryKey& key, const char* name, results::BinaryDisplay& value) {
  std::int32_t index = results::IndexOf(value);
  if (key.TryReadInteger(name, index)) value = results::BinaryDisplayFromIndex(index);
}
void WriteValue(os::RegistryKey& key, const char* name, const std::string& value) {
  key.WriteString(name, value);
}
void WriteValue(os::RegistryKey& key, const char* name, bool value) { key.WriteBool(name, value); }
void WriteValue(os::RegistryKey& key, const char* name, std::int32_t value) {
  key.WriteInteger(name, value);
}
void WriteValue(os::RegistryKey& key, const char* name, results::ExitMode value) {
  key.WriteInteger(name, results::IndexOf(value));
}
void WriteValue(os::RegistryKey& key, const char* name, results::BinaryDisplay value) {
  key.WriteInteger(name, results::IndexOf(value));
}

}  // namespace

void PrepareUserDataDir(const AppFolders& folders) { fs::ForceDirectories(folders.UserDataDir); }

void MoveOlderFiles(const AppFolders& folders) {
  // The move fails when the user has a log already.
  fs::MoveFileNoReplace(folders.SharedDataDir + "errlog.txt", folders.ErrorLogPath);
  for (const std::string& name : fs::MatchingFileNames(folders.SharedDataDir + "*.txd"))
    fs::MoveFileNoReplace(folders.SharedDataDir + name, folders.UserDataDir + name);
}

void RepairDesktopShortcut(const std::string& desktopFolder, const std::string& exeFileName) {
  std::string linkPath = desktopFolder + "\\" + kAppTitle + ".lnk";
  if (!fs::IsExistingFile(linkPath)) return;
  std::string target = os_shell::ReadShortcutTarget(linkPath).value_or("");
  if (target.find("AppData") == std::string::npos) return;
  os::RegistryKey appPaths;
  if (!appPaths.OpenReadOnly(
          os::RegistryRoot::LocalMachine,
          "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + exeFileName))
    return;
  std::string expected;
  if (!appPaths.TryReadString("Path", expected)) return;
  expected += exeFileName;
  if (expected != target) os_shell::CreateShortcut(linkPath, expected);
}

void ReadStartupSettings(const std::string& programDir, StoredSettings& settings) {
  os::RegistryKey key;
  if (!key.Open(os::RegistryRoot::CurrentUser, kSettingsKey)) return;
  if (!key.ValueExists(kUpdatePathValue)) key.WriteString(kUpdatePathValue, programDir);
  for (const SettingValue& value : kSettingValues) {
    std::visit([&](auto field) { ReadValue(key, value.name, settings.*field); }, value.field);
  }
}

bool WriteClosingSettings(const StoredSettings& settings) {
  os::RegistryKey key;
  if (!key.Open(os::RegistryRoot::CurrentUser, kSettingsKey)) return false;
  try {
    for (const SettingValue& value : kSettingValues) {
      std::visit([&](auto field) { WriteValue(key, value.name, settings.*field); }, value.field);
    }
  } catch (const os::RegistryError&) {
    return false;  // the window closes all the same
  }
  return true;
}

int ProbeOsLevel() {
  bool hasQuery = os::HasQueryFullProcessImageName();
  os::SystemVersion version = os::QuerySystemVersion();
  return ClassifyOsLevel(version.nt, version.major, version.minor, hasQuery);
}

bool AdministratorWarningDue(int osLevel) {
  if (osLevel <= 1) return false;
  os_shell::AdminTestResult result = os_shell::RunShellAdminTest();
  return result == os_shell::AdminTestResult::TestMissing ||
         result == os_shell::AdminTestResult::NotAdministrator;
}

std::string AdministratorWarningText() {
  return std::string(kAppTitle) + " は、管理者として実行して下さい。\n" +
         "このまま実行した場合、環境設定やファイル等の操作を正しく行うことはできません。";
}

}  // namespace trovex::app
