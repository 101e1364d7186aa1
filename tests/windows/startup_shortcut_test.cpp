#include <gtest/gtest.h>

#include "app/app_identity.h"
#include "app/startup_steps.h"
#include "platform/os/registry.h"
#include "platform/shell/shortcut.h"
#include "startup_test_support.h"

using namespace trovex;

namespace {

// An App Paths entry for a made-up program name, removed afterwards.
struct AppPathsEntry {
  static constexpr const char* kExe = "TrovexStartupTest.exe";
  std::string key =
      std::string("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + kExe;
  explicit AppPathsEntry(const std::string& path) {
    os::RegistryKey entry;
    EXPECT_TRUE(entry.Create(os::RegistryRoot::LocalMachine, key));
    entry.WriteString("Path", path);
  }
  ~AppPathsEntry() { os::DeleteRegistryTree(os::RegistryRoot::LocalMachine, key); }
};

}  // namespace

TEST(StartupShortcut, ShortcutIntoAppDataIsPointedAtTheInstalledProgram) {
  startup_test::TempDir desktop;
  std::string folder = desktop.path().substr(0, desktop.path().size() - 1);
  std::string link = folder + "\\" + app::kAppTitle + ".lnk";
  ASSERT_TRUE(os_shell::CreateShortcut(
      link, "C:\\users\\u\\AppData\\Local\\Trovex\\TrovexStartupTest.exe"));
  // ASCII only: Wine keeps a shortcut's path in the ANSI code page, which has no "β".
  AppPathsEntry entry("C:\\Program Files\\Trovex\\");
  app::RepairDesktopShortcut(folder, AppPathsEntry::kExe);
  EXPECT_EQ(os_shell::ReadShortcutTarget(link), "C:\\Program Files\\Trovex\\TrovexStartupTest.exe");
}

TEST(StartupShortcut, OtherShortcutsAreLeftAlone) {
  startup_test::TempDir desktop;
  std::string folder = desktop.path().substr(0, desktop.path().size() - 1);
  std::string link = folder + "\\" + app::kAppTitle + ".lnk";
  AppPathsEntry entry("C:\\Program Files\\Trovex β\\");
  // Not in AppData: kept even though it differs.
  ASSERT_TRUE(os_shell::CreateShortcut(link, "C:\\Tools\\TrovexStartupTest.exe"));
  app::RepairDesktopShortcut(folder, AppPathsEntry::kExe);
  EXPECT_EQ(os_shell::ReadShortcutTarget(link), "C:\\Tools\\TrovexStartupTest.exe");
  // No shortcut: none is made.
  DeleteFileW(os::Widen(link).c_str());
  app::RepairDesktopShortcut(folder, AppPathsEntry::kExe);
  EXPECT_FALSE(startup_test::Exists(link));
}
