// Folder reachability, subfolder lists and shortcut targets on real folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/shell/shell_folders.h"
#include "platform/shell/shortcut.h"
#include "windows/shell_test_folder.h"

namespace trovex::os_shell {
namespace {

using testing::ShellTestFolder;

std::vector<std::string> Names(const std::vector<SubFolder>& folders) {
  std::vector<std::string> names;
  for (const SubFolder& folder : folders) names.push_back(folder.name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ShellFolders, OnlyFoldersThatExistOrTheShellCanListAreReachable) {
  ShellTestFolder folder;
  ShellFolders folders;
  EXPECT_TRUE(folders.Reachable(nullptr, folder.Root()));
  EXPECT_TRUE(folders.Reachable(nullptr, folder.Folder("検索")));
  EXPECT_TRUE(folders.Reachable(nullptr, "C:\\"));
  // No file-system path, but a shell folder that can be listed: the computer.
  EXPECT_TRUE(folders.Reachable(nullptr, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
  EXPECT_FALSE(folders.Reachable(nullptr, "::{00000000-0000-0000-0000-000000000000}"));
  EXPECT_FALSE(folders.Reachable(nullptr, folder.File("a.txt")));
  EXPECT_FALSE(folders.Reachable(nullptr, folder.PathOf("ない")));
  EXPECT_FALSE(folders.Reachable(nullptr, folder.PathOf("ない\\もっとない")));
  EXPECT_FALSE(folders.Reachable(nullptr, ""));
}

TEST(ShellFolders, SubfoldersAreListedWithTheirPathsAndHiddenOnesOnRequest) {
  ShellTestFolder folder;
  folder.Folder("表ソ");
  folder.Folder("b");
  folder.Folder("hidden", FILE_ATTRIBUTE_HIDDEN);
  folder.File("file.txt");
  ShellFolders folders;

  const std::vector<SubFolder> visible = folders.SubFolders(folder.Root(), false);
  EXPECT_EQ(Names(visible), (std::vector<std::string>{"b", "表ソ"}));
  for (const SubFolder& sub : visible) {
    EXPECT_EQ(sub.fullPath, folder.PathOf(sub.name));
    EXPECT_FALSE(sub.hidden);
  }

  // A trailing backslash changes nothing.
  const std::vector<SubFolder> all = folders.SubFolders(folder.Root() + "\\", true);
  EXPECT_EQ(Names(all), (std::vector<std::string>{"b", "hidden", "表ソ"}));
  for (const SubFolder& sub : all) {
    EXPECT_EQ(sub.fullPath, folder.PathOf(sub.name));
    EXPECT_EQ(sub.hidden, sub.name == "hidden");
  }

  EXPECT_TRUE(folders.SubFolders(folder.PathOf("ない"), true).empty());
  EXPECT_TRUE(folders.SubFolders(folder.PathOf("file.txt"), true).empty());
  EXPECT_TRUE(folders.SubFolders("", true).empty());
}

TEST(ShellShortcuts, ATargetExistsOnlyWhileItsFileOrFolderDoes) {
  ShellTestFolder folder;
  const std::string target = folder.Folder("行き先");
  const std::string link = folder.PathOf("行き先.lnk");
  ASSERT_TRUE(CreateShortcut(link, target));
  // A Japanese target comes back as it went in.
  EXPECT_EQ(ReadShortcutTarget(link), target);
  EXPECT_TRUE(ShortcutTargetExists(link));

  const std::string file = folder.File("doc.txt");
  const std::string fileLink = folder.PathOf("doc.lnk");
  ASSERT_TRUE(CreateShortcut(fileLink, file));
  EXPECT_TRUE(ShortcutTargetExists(fileLink));
  ASSERT_TRUE(DeleteFileW(os::Widen(file).c_str()));
  EXPECT_FALSE(ShortcutTargetExists(fileLink));

  EXPECT_FALSE(ShortcutTargetExists(folder.PathOf("ない.lnk")));
  // A file that is no shortcut has no target.
  EXPECT_FALSE(ShortcutTargetExists(folder.File("plain.lnk", "not a link")));
}

}  // namespace
}  // namespace trovex::os_shell
