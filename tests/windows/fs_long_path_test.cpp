// Paths longer than MAX_PATH: the platform layer hands the file calls the long
// form "\\?\", while the program's own texts (hit lines, listings) keep the
// ordinary one.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>

#include "native/hit_lines.h"
#include "platform/fs/dir_listing.h"
#include "platform/fs/file_facts.h"
#include "platform/fs/read_at.h"
#include "platform/fs/whole_file_write.h"
#include "platform/fs/wide_path.h"
#include "platform/os/wide_text.h"
#include "search/file_walk.h"
#include "search/hit_line.h"
#include "search/run_search.h"
#include "windows/shell_test_folder.h"

namespace trovex::fs {
namespace {

std::wstring W(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Removes a tree through the long form, whatever its depth.
void RemoveLongTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveLongTree(folder + L"\\" + name);
      else
        DeleteFileW((folder + L"\\" + name).c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

TEST(LongPaths, OnlyLongPathsTakeTheLongForm) {
  EXPECT_EQ(WidePath("C:\\a\\b.txt"), std::wstring(L"C:\\a\\b.txt"));
  const std::string tail = std::string(150, 'x') + "\\" + std::string(150, 'y') + "\\f.txt";
  EXPECT_EQ(WidePath("C:\\" + tail), L"\\\\?\\C:\\" + W(tail));
  // Made absolute and clean first: the long form takes no "/" and no "..".
  std::string messy = "C:/skip\\..\\" + tail;
  EXPECT_EQ(WidePath(messy), L"\\\\?\\C:\\" + W(tail));
  EXPECT_EQ(WidePath("\\\\server\\share\\" + tail), L"\\\\?\\UNC\\server\\share\\" + W(tail));
  // Already long, or a device: as it stands.
  EXPECT_EQ(WidePath("\\\\?\\C:\\" + tail), L"\\\\?\\C:\\" + W(tail));
  EXPECT_EQ(WidePath("\\\\.\\PhysicalDrive0"), std::wstring(L"\\\\.\\PhysicalDrive0"));
  // A long relative path becomes absolute under the current folder.
  wchar_t current[MAX_PATH] = {};
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, current), 0u);
  std::wstring expected = current;
  if (expected.back() != L'\\') expected += L'\\';
  EXPECT_EQ(WidePath(tail), L"\\\\?\\" + expected + W(tail));
  // Japanese names go to UTF-16 as before.
  EXPECT_EQ(WidePath("C:\\\x83\x65\x83\x58\x83\x67.txt"),
            std::wstring(L"C:\\\u30C6\u30B9\u30C8.txt"));
}

// A tree deeper than MAX_PATH made, listed, read and walked through the platform
// layer; the hit line keeps the ordinary form of the path.
TEST(LongPaths, DeepFilesAreMadeListedReadAndFound) {
  testing::ShellTestFolder tree;
  std::string deep = tree.Root() + "\\long";
  for (int level = 0; level < 6; ++level)
    deep += "\\" + std::string(60, static_cast<char>('a' + level));
  ASSERT_GT(deep.size(), static_cast<std::size_t>(MAX_PATH));
  struct Cleanup {
    std::wstring folder;
    ~Cleanup() { RemoveLongTree(folder); }
  } cleanup{*WidePath(tree.PathOf("long"))};
  ASSERT_TRUE(CreateFolderPath(deep));
  EXPECT_TRUE(IsExistingFolder(deep));
  const std::string file = deep + "\\deep.txt";
  ASSERT_TRUE(ReplaceWholeFile(file, "..needle.."));
  EXPECT_TRUE(IsExistingFile(file));
  EXPECT_EQ(ReadAt(file, 2, 6), std::optional<std::string>("needle"));
  const auto facts = LookUpFile(file);
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->size, 10u);
  DirectoryListing listing(deep + "\\");
  EXPECT_TRUE(listing.Identity());
  EXPECT_TRUE(listing.QuickIdentity());
  DirEntry entry;
  bool listed = false;
  while (listing.Next(entry)) listed = listed || entry.name == "deep.txt";
  EXPECT_TRUE(listed);

  search::SearchQuery query;
  query.pattern = "needle";
  query.patternLength = 6;
  search::SearchLocations locations;
  locations.paths = {tree.Root()};
  search::ScanState state;
  search::SearchProgress progress;
  search::RunSearch(locations, search::SearchConditions{}, query, search::MatchOptions{}, state,
                    progress);
  EXPECT_EQ(HitLines(progress.hitList), std::vector<std::string>{search::MakeHitLine(file, 2)});
}

}  // namespace trovex::fs
