#include <gtest/gtest.h>

#include "app/app_folders.h"
#include "app/startup_steps.h"
#include "results/error_log_file.h"
#include "startup_test_support.h"

using namespace trovex;
using startup_test::Exists;
using startup_test::ReadFile;
using startup_test::WriteFile;

namespace {

// A program folder with a "data\" folder, as an older version left it.
struct OldInstall {
  startup_test::TempDir dir;
  app::AppFolders folders = app::ComputeAppFolders(dir.path() + "Trovex.exe", "ユーザー");
  OldInstall() { CreateDirectoryW(os::Widen(folders.SharedDataDir).c_str(), nullptr); }
};

}  // namespace

TEST(StartupFolders, UserDataDirIsCreatedWithItsParents) {
  startup_test::TempDir dir;
  app::AppFolders folders = app::ComputeAppFolders(dir.path() + "Trovex.exe", "ユーザー");
  EXPECT_EQ(folders.UserDataDir, dir.path() + "data\\ユーザー\\");
  EXPECT_FALSE(Exists(folders.SharedDataDir));
  app::PrepareUserDataDir(folders);
  EXPECT_TRUE(Exists(folders.UserDataDir));
}

TEST(StartupFolders, OlderFilesMoveIntoTheUserFolder) {
  OldInstall install;
  const app::AppFolders& f = install.folders;
  WriteFile(f.SharedDataDir + "errlog.txt", "old log\r\n");
  WriteFile(f.SharedDataDir + "20260101 101010.txd", "a");
  WriteFile(f.SharedDataDir + "結果.txd", "b");
  WriteFile(f.SharedDataDir + "start.wav", "sound");
  CreateDirectoryW(os::Widen(f.SharedDataDir + "folder.txd").c_str(), nullptr);
  app::PrepareUserDataDir(f);
  app::MoveOlderFiles(f);

  EXPECT_EQ(ReadFile(f.ErrorLogPath), "old log\r\n");
  EXPECT_FALSE(Exists(f.SharedDataDir + "errlog.txt"));
  EXPECT_EQ(ReadFile(f.UserDataDir + "20260101 101010.txd"), "a");
  EXPECT_EQ(ReadFile(f.UserDataDir + "結果.txd"), "b");
  EXPECT_FALSE(Exists(f.SharedDataDir + "結果.txd"));
  EXPECT_TRUE(Exists(f.SharedDataDir + "start.wav"));
  EXPECT_TRUE(Exists(f.SharedDataDir + "folder.txd"));
  EXPECT_FALSE(Exists(f.UserDataDir + "folder.txd"));
}

TEST(StartupFolders, ExistingFilesInTheUserFolderAreNeverOverwritten) {
  OldInstall install;
  const app::AppFolders& f = install.folders;
  app::PrepareUserDataDir(f);
  WriteFile(f.ErrorLogPath, "current log\r\n");
  WriteFile(f.UserDataDir + "same.txd", "mine");
  WriteFile(f.SharedDataDir + "errlog.txt", "old log\r\n");
  WriteFile(f.SharedDataDir + "same.txd", "old");
  app::MoveOlderFiles(f);

  EXPECT_EQ(ReadFile(f.ErrorLogPath), "current log\r\n");
  EXPECT_EQ(ReadFile(f.SharedDataDir + "errlog.txt"), "old log\r\n");
  EXPECT_EQ(ReadFile(f.UserDataDir + "same.txd"), "mine");
  EXPECT_EQ(ReadFile(f.SharedDataDir + "same.txd"), "old");
}

// The log is loaded only from an existing file and written back only to one:
// entries of a run without the file are not saved.
TEST(StartupFolders, ErrorLogIsSavedOnlyWhenItsFileExists) {
  startup_test::TempDir dir;
  std::string path = dir.path() + "errlog.txt";
  EXPECT_TRUE(results::LoadErrorLogList(path).empty());
  EXPECT_FALSE(
      results::SaveErrorLogList(path, {"[2026/12/07 12:34:56]\n 特権の有効に失敗しました。"}));
  EXPECT_FALSE(Exists(path));

  WriteFile(path, "[2026/12/01 01:02:03]\r\n OpenProcessToken Error\r\n");
  std::vector<std::string> log = results::LoadErrorLogList(path);
  EXPECT_EQ(log, (std::vector<std::string>{"[2026/12/01 01:02:03]", " OpenProcessToken Error"}));
  log.push_back("[2026/12/07 12:34:56]\n 特権の有効に失敗しました。");
  EXPECT_TRUE(results::SaveErrorLogList(path, log));
  EXPECT_EQ(ReadFile(path),
            "[2026/12/01 01:02:03]\r\n OpenProcessToken Error\r\n[2026/12/07 12:34:56]\n "
            "特権の有効に失敗しました。\r\n");
  EXPECT_EQ(results::LoadErrorLogList(path).size(), 4u);
}
