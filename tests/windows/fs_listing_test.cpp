#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "native/hit_lines.h"
#include "native/walk_test_tree.h"
#include "platform/fs/date_time.h"
#include "platform/fs/dir_listing.h"
#include "platform/fs/drives.h"
#include "search/file_walk.h"
#include "search/hit_line.h"

using namespace trovex;
using trovex::testing::WalkTestTree;

namespace {

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

void SetAttributes(const std::string& path, DWORD attributes) {
  ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), attributes)) << path;
}

fs::DirEntry Find(const std::string& folder, const std::string& name) {
  fs::DirectoryListing listing(folder + "\\");
  fs::DirEntry entry;
  while (listing.Next(entry)) {
    if (entry.name == name) return entry;
  }
  ADD_FAILURE() << name << " not listed";
  return {};
}

}  // namespace

TEST(WinListing, AttributesSizesAndTimes) {
  WalkTestTree tree;
  tree.File("hidden.txt", "x");
  tree.File("system.txt", "x");
  tree.Folder("hiddenfolder");
  SetAttributes(tree.PathOf("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(tree.PathOf("system.txt"), FILE_ATTRIBUTE_SYSTEM);
  SetAttributes(tree.PathOf("hiddenfolder"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);

  // A sparse file past 4 GiB has its true 64-bit size.
  const std::wstring bigPath = Wide(tree.PathOf("big.bin"));
  HANDLE big = CreateFileW(bigPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(big, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = 5LL << 30;
  ASSERT_TRUE(SetFilePointerEx(big, size, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(big));
  // Last write 2024-03-15 12:00:00 local time.
  SYSTEMTIME local{2024, 3, 5, 15, 12, 0, 0, 0};
  FILETIME localTime, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
  ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
  ASSERT_TRUE(SetFileTime(big, nullptr, nullptr, &utc));
  CloseHandle(big);

  const fs::DirEntry hidden = Find(tree.Root(), "hidden.txt");
  EXPECT_TRUE(hidden.isHidden);
  EXPECT_FALSE(hidden.isSystem);
  const fs::DirEntry system = Find(tree.Root(), "system.txt");
  EXPECT_TRUE(system.isSystem);
  EXPECT_FALSE(system.isHidden);
  const fs::DirEntry folder = Find(tree.Root(), "hiddenfolder");
  EXPECT_TRUE(folder.isDirectory && folder.isHidden);
  EXPECT_FALSE(folder.isRegularFile);
  const fs::DirEntry bigEntry = Find(tree.Root(), "big.bin");
  EXPECT_EQ(bigEntry.size, 5ull << 30);
  EXPECT_FALSE(bigEntry.isDirectory || bigEntry.isHidden || bigEntry.isSystem);
  EXPECT_TRUE(bigEntry.isRegularFile);
  EXPECT_NEAR(bigEntry.lastWriteTime, fs::EncodeDateTime(2024, 3, 15, 12, 0, 0), 1.0 / 86400);
  DeleteFileW(bigPath.c_str());
}

TEST(WinListing, NamesAreCp932) {
  WalkTestTree tree;
  // "表ソ.txt": trail bytes 0x5C must survive; a character CP932 lacks becomes "?".
  const std::wstring folder = Wide(tree.Root()) + L"\\";
  for (const wchar_t* name : {L"\u8868\u30BD.txt", L"\u00C4.txt"}) {
    HANDLE h =
        CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  std::vector<std::string> names;
  fs::DirectoryListing listing(tree.Root() + "\\");
  fs::DirEntry entry;
  while (listing.Next(entry)) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "?.txt", "表ソ.txt"}));
  EXPECT_TRUE(fs::IsExistingFile(tree.PathOf("表ソ.txt")));
}

TEST(WinListing, WalkSkipsHiddenAndSystemEntries) {
  WalkTestTree tree;
  tree.File("plain.txt", "needle");
  tree.File("system.txt", "needle");
  tree.File("sysdir/inner.txt", "needle");
  SetAttributes(tree.PathOf("system.txt"), FILE_ATTRIBUTE_SYSTEM);
  SetAttributes(tree.PathOf("sysdir"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
  const search::FileSearcher everything = [](const std::string&, const fs::ListedFile&) {
    return std::optional<std::uint64_t>(0);
  };
  search::SearchConditions conditions;
  search::SearchProgress progress;
  search::WalkFolder(tree.Root(), conditions, everything, progress);
  EXPECT_EQ(HitLines(progress.hitList),
            std::vector<std::string>{search::MakeHitLine(tree.PathOf("plain.txt"), 0)});
  EXPECT_EQ(search::CountFolder(tree.Root(), conditions, progress, {}), 1u);
  conditions.includeSystem = true;
  EXPECT_EQ(search::CountFolder(tree.Root(), conditions, progress, {}), 3u);
}

TEST(WinListing, DrivesUnderWine) {
  const std::vector<std::string> drives = fs::LogicalDrives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:"), drives.end());
  EXPECT_NE(std::find(drives.begin(), drives.end(), "Z:"), drives.end());  // the Linux root
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
}
