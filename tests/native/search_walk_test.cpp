#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ctime>

#include "hit_lines.h"
#include "platform/fs/date_time.h"
#include "platform/fs/dir_listing.h"
#include "search/file_walk.h"
#include "search/folder_path.h"
#include "search/hit_line.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::search;
using trovex::testing::WalkTestTree;

namespace {

// Finds "needle" in the whole file; empty files never match.
std::optional<std::uint64_t> FindNeedle(const std::string& path, const fs::ListedFile& = {}) {
  std::ifstream in(path, std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t at = data.find("needle");
  if (at == std::string::npos) return std::nullopt;
  return static_cast<std::uint64_t>(at);
}

std::vector<std::string> HitPaths(const SearchProgress& progress) {
  std::vector<std::string> paths;
  for (const std::string& line : HitLines(progress.hitList))
    paths.push_back(SplitHitLine(line)->path);
  return paths;
}

// Subfolder names of `folder` in the platform's listing order.
std::vector<std::string> ListedFolders(const std::string& folder) {
  std::vector<std::string> names;
  fs::DirectoryListing listing(NormalizeFolderPath(folder));
  fs::DirEntry entry;
  while (listing.Next(entry)) {
    if (entry.isDirectory && entry.name != "." && entry.name != "..") names.push_back(entry.name);
  }
  return names;
}

}  // namespace

TEST(Listing, ReportsSizesFoldersAndTimes) {
  WalkTestTree tree;
  tree.File("five.bin", "12345");
  tree.Folder("sub");
  const auto modified =
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  std::filesystem::last_write_time(tree.PathOf("five.bin"), modified);

  fs::DirectoryListing listing(NormalizeFolderPath(tree.Root()));
  fs::DirEntry entry;
  bool sawFile = false, sawFolder = false, sawDot = false;
  while (listing.Next(entry)) {
    if (entry.name == "five.bin") {
      sawFile = true;
      EXPECT_FALSE(entry.isDirectory);
      EXPECT_EQ(entry.size, 5u);
      // About 400 days ago, whatever the time zone.
      const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
      std::tm local{};
      local = *std::localtime(&now);
      const double today = fs::EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                              local.tm_hour, local.tm_min, local.tm_sec);
      EXPECT_NEAR(today - entry.lastWriteTime, 400.0, 0.1);
    } else if (entry.name == "sub") {
      sawFolder = true;
      EXPECT_TRUE(entry.isDirectory);
    } else if (entry.name == ".") {
      sawDot = true;
    }
  }
  EXPECT_TRUE(sawFile && sawFolder && sawDot);
  EXPECT_TRUE(fs::IsExistingFile(tree.PathOf("five.bin")));
  EXPECT_FALSE(fs::IsExistingFile(tree.PathOf("sub")));
  EXPECT_FALSE(fs::IsExistingFile(tree.PathOf("missing")));
}

TEST(FolderPath, AddsTheSeparatorToFoldersOnly) {
  WalkTestTree tree;
  tree.File("f.txt", "x");
  EXPECT_EQ(NormalizeFolderPath(""), "");
  EXPECT_EQ(NormalizeFolderPath(tree.PathOf("f.txt")), tree.PathOf("f.txt"));
  EXPECT_EQ(NormalizeFolderPath(tree.Root()), tree.PathOf(""));
  EXPECT_EQ(NormalizeFolderPath(tree.PathOf("")), tree.PathOf(""));
#ifdef _WIN32
  EXPECT_EQ(NormalizeFolderPath("C:"), "C:\\");
  // The trail byte of "表" (95 5C) is not a separator.
  EXPECT_EQ(NormalizeFolderPath("Z:\\no such\\表"), "Z:\\no such\\表\\");
#endif
}

TEST(Walk, FilesBeforeSubfoldersDepthFirst) {
  WalkTestTree tree;
  for (const char* f :
       {"r1.txt", "r2.txt", "A/a1.txt", "A/AA/aa1.txt", "A/a2.txt", "B/b1.txt", "B/BB/bb1.txt"}) {
    tree.File(f, std::string("..needle ") + f);
  }
  SearchProgress progress;
  WalkFolder(tree.Root(), SearchConditions{}, FindNeedle, progress);
  const std::vector<std::string> hits = HitPaths(progress);
  ASSERT_EQ(hits.size(), 7u);
  EXPECT_EQ(progress.filesExamined.load(), 7u);
  for (const std::string& line : HitLines(progress.hitList))
    EXPECT_EQ(SplitHitLine(line)->offsetText, "2");

  // The root's files come first, then each subfolder's whole subtree, in listing order.
  std::vector<std::string> first(hits.begin(), hits.begin() + 2);
  std::sort(first.begin(), first.end());
  EXPECT_EQ(first, (std::vector<std::string>{tree.PathOf("r1.txt"), tree.PathOf("r2.txt")}));
  std::size_t pos = 2;
  const std::vector<std::string> tops = ListedFolders(tree.Root());
  ASSERT_EQ(tops.size(), 2u);
  for (const std::string& top : tops) {
    std::vector<std::string> own =
        top == "A" ? std::vector<std::string>{tree.PathOf("A/a1.txt"), tree.PathOf("A/a2.txt")}
                   : std::vector<std::string>{tree.PathOf("B/b1.txt")};
    std::vector<std::string> got(hits.begin() + static_cast<std::ptrdiff_t>(pos),
                                 hits.begin() + static_cast<std::ptrdiff_t>(pos + own.size()));
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, own) << "the files of " << top << " come before its subfolder";
    pos += own.size();
    EXPECT_EQ(hits[pos++], tree.PathOf(top == "A" ? "A/AA/aa1.txt" : "B/BB/bb1.txt"));
  }
  EXPECT_EQ(pos, hits.size());
  EXPECT_EQ(progress.CurrentFile(), hits.back());
}

TEST(Walk, HiddenFoldersAndShortcuts) {
  WalkTestTree tree;
  tree.File("a.lnk", "needle");
  tree.File("b.url", "needle");
  tree.File("C.LNK", "needle");
  tree.File("D.Url", "needle");
  tree.File(".hidden/plain.txt", "needle");  // a dot name is hidden (POSIX; Wine likewise)
  tree.File(".dotfile", "needle");
  SearchConditions conditions;
  SearchProgress progress;
  WalkFolder(tree.Root(), conditions, FindNeedle, progress);
  std::vector<std::string> hits = HitPaths(progress);
  std::sort(hits.begin(), hits.end());
  EXPECT_EQ(hits, (std::vector<std::string>{tree.PathOf("C.LNK"), tree.PathOf("D.Url")}));
  EXPECT_EQ(progress.filesExamined.load(), 2u);                       // shortcuts are not counted
  EXPECT_EQ(CountFolder(tree.Root(), conditions, progress, {}), 4u);  // but the pre-count has them

  conditions.includeHidden = true;
  SearchProgress withHidden;
  WalkFolder(tree.Root(), conditions, FindNeedle, withHidden);
  EXPECT_EQ(withHidden.hitList.Count(), 4u);
  EXPECT_EQ(FormatHitLine(withHidden.hitList.At(3)),
            MakeHitLine(tree.PathOf(".hidden/plain.txt"), 0));
  EXPECT_EQ(CountFolder(tree.Root(), conditions, withHidden, {}), 6u);
}

TEST(Walk, ConditionsApplyOnlyWithThePanelOpen) {
  WalkTestTree tree;
  tree.File("empty.txt", "");
  tree.File("hit.txt", "needle");
  tree.File("miss.doc", "nothing");
  SearchConditions conditions;
  conditions.nameTerms = {"doc"};
  SearchProgress closed;
  WalkFolder(tree.Root(), conditions, FindNeedle, closed);
  EXPECT_EQ(HitPaths(closed), std::vector<std::string>{tree.PathOf("hit.txt")});
  EXPECT_EQ(closed.filesExamined.load(), 3u);

  // Panel open with an empty text: every file passing the conditions is listed unread.
  conditions.optionsOpen = true;
  conditions.nameTerms = {"txt"};
  SearchProgress listed;
  WalkFolder(tree.Root(), conditions, FindNeedle, listed);
  std::vector<std::string> lines = HitLines(listed.hitList);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{MakeHitLine(tree.PathOf("empty.txt"), 0),
                                             MakeHitLine(tree.PathOf("hit.txt"), 0)}));
  EXPECT_EQ(listed.filesExamined.load(), 3u);

  // The sizes come from the listing: at least 1 B drops the empty file.
  conditions.sizeFilterOn = true;
  conditions.sizeAtLeast = true;
  conditions.sizeLimit = 1;
  SearchProgress sized;
  WalkFolder(tree.Root(), conditions, FindNeedle, sized);
  EXPECT_EQ(HitLines(sized.hitList),
            std::vector<std::string>{MakeHitLine(tree.PathOf("hit.txt"), 0)});
}

// The walk tells the searcher where it found each file, so that the file can be
// opened by name in its folder (POSIX) instead of by its whole path.
TEST(Walk, SearcherLearnsTheListedNameAndFolder) {
  WalkTestTree tree;
  tree.File("top.txt", "x");
  tree.File("sub/inner.txt", "x");
  int searched = 0;
  const FileSearcher check = [&](const std::string& path, const fs::ListedFile& listed) {
    ++searched;
    EXPECT_NE(listed.name, nullptr);
    if (!listed.name) return std::optional<std::uint64_t>();
    const std::string name = listed.name;
    EXPECT_EQ(path.substr(path.size() - name.size()), name);
    EXPECT_TRUE(listed.notLink);  // plain files, no links
#ifdef _WIN32
    EXPECT_EQ(listed.folder, -1);
#else
    EXPECT_GE(listed.folder, 0);
#endif
    return std::optional<std::uint64_t>();
  };
  SearchProgress progress;
  WalkFolder(tree.Root(), SearchConditions{}, check, progress);
  EXPECT_EQ(searched, 2);
}

TEST(Walk, StopEndsTheWalkWithNoLaterHit) {
  WalkTestTree tree;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 5; ++j) {
      std::string path = "d";  // built in steps: GCC 12 warns falsely on a + chain here
      path += std::to_string(i);
      path += "/e/f";
      path += std::to_string(j);
      path += ".txt";
      tree.File(path, "needle");
    }
  }
  SearchProgress progress;
  int searched = 0;
  const FileSearcher stopAtSeventh = [&](const std::string& path, const fs::ListedFile&) {
    if (++searched == 7) progress.cancelRequested = true;
    return FindNeedle(path);
  };
  WalkFolder(tree.Root(), SearchConditions{}, stopAtSeventh, progress);
  EXPECT_EQ(searched, 7);
  EXPECT_EQ(progress.hitList.Count(), 7u);
  EXPECT_EQ(progress.filesExamined.load(), 7u);

  // The pre-count stops at the next entry once Cancel is pressed in its pump.
  progress.cancelRequested = false;
  int pumped = 0;
  const std::uint32_t full =
      CountFolder(tree.Root(), SearchConditions{}, progress, [&] { ++pumped; });
  EXPECT_EQ(full, 20u);
  EXPECT_GT(pumped, 20);
  pumped = 0;
  const std::uint32_t partial = CountFolder(tree.Root(), SearchConditions{}, progress, [&] {
    if (++pumped == 12) progress.cancelRequested = true;
  });
  EXPECT_LT(partial, 20u);
  EXPECT_EQ(pumped, 12);
}

TEST(Walk, LocationsInOrderAndCountingRoot) {
  WalkTestTree tree;
  tree.File("one/x.txt", "needle");
  tree.File("two/y.txt", "..needle");
  SearchLocations locations;
  locations.paths = {tree.PathOf("two"), tree.PathOf("one"), tree.PathOf("missing")};
  SearchProgress progress;
  RunSearch(locations, SearchConditions{}, FindNeedle, progress);
  EXPECT_EQ(HitLines(progress.hitList),
            (std::vector<std::string>{MakeHitLine(tree.PathOf("two/y.txt"), 2),
                                      MakeHitLine(tree.PathOf("one/x.txt"), 0)}));
  EXPECT_EQ(CountFiles(locations, SearchConditions{}, progress), 2u);
  EXPECT_EQ(progress.countingRoot, tree.PathOf("missing"));
}

TEST(Walk, DrivesAndStopBetweenThem) {
  const std::vector<std::string> drives = ListDrives();
  ASSERT_FALSE(drives.empty());
#ifdef _WIN32
  for (const std::string& d : drives) EXPECT_TRUE(d.size() == 2 && d[1] == ':') << d;
#else
  EXPECT_EQ(drives, std::vector<std::string>{"/"});
#endif
  SearchProgress progress;
  std::vector<std::string> walked;
  progress.cancelRequested = true;
  ForEachDrive(progress, [&](const std::string& drive) {
    walked.push_back(drive);
    return 1u;
  });
  EXPECT_EQ(walked, std::vector<std::string>{drives.front()});
}

#ifndef _WIN32
// Linked folders are walked, but a folder reached again, be it through a link back
// into the walk or a second way to a folder walked already, is left out: links
// would otherwise multiply the walk without end, and each file is listed once.
TEST(Walk, LinksBackIntoTheWalkAreNotFollowed) {
  WalkTestTree tree;
  tree.File("d/f.txt", "needle");
  tree.File("other/g.txt", "needle");
  std::filesystem::create_directory_symlink("..", tree.PathOf("d/up"));
  std::filesystem::create_directory_symlink(tree.Root(), tree.PathOf("d/root"));
  std::filesystem::create_directory_symlink(tree.PathOf("other"), tree.PathOf("d/linked"));
  SearchProgress progress;
  WalkFolder(tree.Root(), SearchConditions{}, FindNeedle, progress);
  std::vector<std::string> hits = HitPaths(progress);
  std::sort(hits.begin(), hits.end());
  // g.txt under whichever of its two ways the listing order reaches first.
  const std::vector<std::string> folders = ListedFolders(tree.Root());
  const bool linkedFirst = folders.front() == "d";
  EXPECT_EQ(hits, (std::vector<std::string>{
                      tree.PathOf("d/f.txt"),
                      tree.PathOf(linkedFirst ? "d/linked/g.txt" : "other/g.txt")}));
  EXPECT_EQ(CountFolder(tree.Root(), SearchConditions{}, progress, {}), 2u);
}
#endif
