// Trees made to hurt a walk: folders linked to one another, pseudo files that
// never end, paths longer than the system takes in one call. The walk must
// finish, look at each real folder once and find what is there.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "hit_lines.h"
#include "platform/fs/dir_listing.h"
#include "search/file_walk.h"
#include "search/hit_line.h"
#include "search/run_search.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::search;
using trovex::testing::WalkTestTree;

namespace {

SearchQuery NeedleQuery() {
  SearchQuery query;
  query.pattern = "needle";
  query.patternLength = 6;
  return query;
}

std::vector<std::string> HitPaths(const SearchProgress& progress) {
  std::vector<std::string> paths;
  for (const std::string& line : HitLines(progress.hitList))
    paths.push_back(SplitHitLine(line)->path);
  return paths;
}

// A search run on a thread of its own, stopped through cancelRequested should it
// not end within the limit; the run's state outlives a failed test.
struct BoundedRun {
  SearchLocations locations;
  SearchConditions conditions;
  SearchQuery query = NeedleQuery();
  ScanState scanState;
  SearchProgress progress;
  std::atomic<bool> done{false};

  // True when the run ended by itself.
  static bool Run(const std::shared_ptr<BoundedRun>& run, std::chrono::seconds limit) {
    std::thread worker([run] {
      RunSearch(run->locations, run->conditions, run->query, MatchOptions{}, run->scanState,
                run->progress);
      run->done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!run->done && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool ended = run->done;
    run->progress.cancelRequested = true;  // a stuck read stops at its next chunk
    worker.join();
    return ended;
  }
};

// d1 ... dN, each holding f.txt and a link to every other folder.
void MakeMesh(const WalkTestTree& tree, int n) {
  for (int i = 1; i <= n; ++i) tree.File("d" + std::to_string(i) + "/f.txt", "needle");
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      if (i == j) continue;
      std::filesystem::create_directory_symlink(
          "../d" + std::to_string(j),
          tree.PathOf("d" + std::to_string(i) + "/l" + std::to_string(j)));
    }
  }
}

// The real files behind the paths.
std::set<std::string> RealFiles(const std::vector<std::string>& paths) {
  std::set<std::string> real;
  for (const std::string& path : paths) real.insert(std::filesystem::canonical(path).string());
  return real;
}

}  // namespace

// Without a note of the folders walked, d1 would lead through its links to every
// order of the other folders: N! walks of the files.
TEST(HostileTree, FoldersLinkedToEachOtherAreWalkedOnceEach) {
  WalkTestTree tree;
  constexpr int kFolders = 8;
  MakeMesh(tree, kFolders);
  int looked = 0;
  SearchProgress progress;
  // A walk that multiplies is stopped rather than left to run for hours.
  const FileSearcher count = [&](const std::string&,
                                 const fs::ListedFile&) -> std::optional<std::uint64_t> {
    if (++looked > 100 * kFolders) progress.cancelRequested = true;
    return 0;
  };
  WalkFolder(tree.Root(), SearchConditions{}, count, progress);
  EXPECT_EQ(looked, kFolders);
  EXPECT_EQ(progress.filesExamined.load(), static_cast<std::uint64_t>(kFolders));
  const std::vector<std::string> hits = HitPaths(progress);
  EXPECT_EQ(hits.size(), static_cast<std::size_t>(kFolders));
  EXPECT_EQ(RealFiles(hits).size(), static_cast<std::size_t>(kFolders));
  EXPECT_EQ(CountFolder(tree.Root(), SearchConditions{}, progress, {}),
            static_cast<std::uint32_t>(kFolders));
}

// Locations that overlap, or lead to one folder, list its files once per run;
// the pre-count agrees.
TEST(HostileTree, OverlappingLocationsListEachFileOnce) {
  WalkTestTree tree;
  tree.File("a/x.txt", "needle");
  tree.File("a/b/y.txt", "needle");
  tree.File("c/z.txt", "needle");
  std::filesystem::create_directory_symlink(tree.PathOf("a"), tree.PathOf("c/to-a"));
  auto run = std::make_shared<BoundedRun>();
  run->locations.paths = {tree.PathOf("a/b"), tree.PathOf("a"), tree.PathOf("c"),
                          tree.PathOf("a/b")};
  ASSERT_TRUE(BoundedRun::Run(run, std::chrono::seconds(30)));
  EXPECT_EQ(HitPaths(run->progress),
            (std::vector<std::string>{tree.PathOf("a/b/y.txt"), tree.PathOf("a/x.txt"),
                                      tree.PathOf("c/z.txt")}));
  SearchProgress counting;
  EXPECT_EQ(CountFiles(run->locations, SearchConditions{}, counting), 3u);
}

// The pseudo files of a process: pagemap reports size 0 and reads on for hundreds
// of gibibytes, mem fails part way, status has text behind size 0. The links out
// to the whole file system (root, cwd and the threads' copies of them) are left
// out; everything else of /proc/self is walked as it is, through links.
TEST(HostileTree, AWalkThroughProcSelfFinishes) {
  WalkTestTree tree;
  tree.File("plain.txt", "..needle");
  int linked = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self")) {
    const std::string name = entry.path().filename().string();
    if (name == "root" || name == "cwd" || name == "task") continue;
    std::filesystem::create_symlink(entry.path(), tree.PathOf("proc-" + name));
    ++linked;
  }
  ASSERT_GT(linked, 20);
  ASSERT_TRUE(std::filesystem::exists(tree.PathOf("proc-pagemap")));
  auto run = std::make_shared<BoundedRun>();
  run->locations.paths = {tree.Root()};
  ASSERT_TRUE(BoundedRun::Run(run, std::chrono::seconds(60)))
      << "the walk did not end; last file: " << run->progress.CurrentFile();
  const std::vector<std::string> hits = HitPaths(run->progress);
  EXPECT_NE(std::find(hits.begin(), hits.end(), tree.PathOf("plain.txt")), hits.end());
  // Pseudo files of size 0 read nothing, so they hold no hit.
  for (const char* name : {"proc-pagemap", "proc-mem", "proc-status", "proc-environ"})
    EXPECT_EQ(std::find(hits.begin(), hits.end(), tree.PathOf(name)), hits.end()) << name;
  EXPECT_GT(run->progress.filesExamined.load(), 20u);
}

namespace {

// Folders made and removed relative to their parents: the whole path is longer
// than the system takes in one call.
int MakeFolderAt(int parent, const std::string& name) {
  if (mkdirat(parent, name.c_str(), 0755) != 0 && errno != EEXIST) return -1;
  return openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

void RemoveTreeAt(int parent, const std::string& name) {
  const int fd = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    unlinkat(parent, name.c_str(), 0);
    return;
  }
  std::vector<std::string> names;
  if (DIR* dir = fdopendir(dup(fd))) {
    while (const dirent* d = readdir(dir)) {
      const std::string entry = d->d_name;
      if (entry != "." && entry != "..") names.push_back(entry);
    }
    closedir(dir);
  }
  for (const std::string& entry : names) RemoveTreeAt(fd, entry);
  close(fd);
  unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

}  // namespace

TEST(HostileTree, FilesDeeperThanThePathLimitAreFound) {
  WalkTestTree tree;
  tree.File("top.txt", "needle");
  const std::string segment(200, 's');
  std::string deep = tree.Root() + "/";
  int folder = open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder, 0);
  struct Cleanup {
    std::string root;
    ~Cleanup() {
      const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      RemoveTreeAt(fd, "s");
      close(fd);
    }
  } cleanup{tree.Root()};
  // "s/" then 30 folders of 200 bytes: more than 6000 bytes of path.
  const int top = MakeFolderAt(folder, "s");
  close(folder);
  ASSERT_GE(top, 0);
  folder = top;
  deep += "s/";
  for (int level = 0; level < 30; ++level) {
    const int next = MakeFolderAt(folder, segment);
    close(folder);
    ASSERT_GE(next, 0) << level;
    folder = next;
    deep += segment + "/";
  }
  const int file = openat(folder, "deep.txt", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  ASSERT_GE(file, 0);
  ASSERT_EQ(write(file, "..needle", 8), 8);
  close(file);
  close(folder);
  const std::string deepFile = deep + "deep.txt";
  ASSERT_GT(deepFile.size(), static_cast<std::size_t>(PATH_MAX));

  auto run = std::make_shared<BoundedRun>();
  run->locations.paths = {tree.Root()};
  ASSERT_TRUE(BoundedRun::Run(run, std::chrono::seconds(60)));
  EXPECT_EQ(
      HitLines(run->progress.hitList),
      (std::vector<std::string>{MakeHitLine(tree.PathOf("top.txt"), 0), MakeHitLine(deepFile, 2)}));
  SearchProgress counting;
  EXPECT_EQ(CountFiles(run->locations, SearchConditions{}, counting), 2u);
  EXPECT_TRUE(fs::IsExistingFolder(deep));
  EXPECT_TRUE(fs::IsExistingFile(deepFile));
  // A scan by the long path alone, as the result window's later looks take it.
  ScanState state;
  std::atomic<bool> cancel{false};
  EXPECT_EQ(SearchFile(deepFile, NeedleQuery(), MatchOptions{}, state, cancel), 2u);
}

// A tree nested deeper than any real one: the walk goes down no further than its
// limit (it recurses), names where it stopped, and finds what lies above.
TEST(HostileTree, ATreeNestedTooDeepIsWalkedDownToTheLimitAndSaysWhereItStopped) {
  WalkTestTree tree;
  // rm walks any depth without an open folder per level.
  struct Cleanup {
    std::string folder;
    ~Cleanup() { EXPECT_EQ(std::system(("rm -rf '" + folder + "'").c_str()), 0); }
  } cleanup{tree.Root() + "/n"};
  // n/a/a/.../a, 1,100 folders below n, made relative to their parents; a match at
  // depth 10 and another at depth 1,050.
  int folder = open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder, 0);
  std::string path = tree.Root() + "/n/";
  int next = MakeFolderAt(folder, "n");
  close(folder);
  ASSERT_GE(next, 0);
  folder = next;
  std::string shallowFile;
  for (int level = 1; level <= 1100; ++level) {
    next = MakeFolderAt(folder, "a");
    close(folder);
    ASSERT_GE(next, 0) << level;
    folder = next;
    path += "a/";
    if (level == 10 || level == 1050) {
      const int file = openat(folder, "f.txt", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      ASSERT_GE(file, 0);
      ASSERT_EQ(write(file, "needle", 6), 6);
      close(file);
      if (level == 10) shallowFile = path + "f.txt";
    }
  }
  close(folder);

  auto run = std::make_shared<BoundedRun>();
  run->locations.paths = {tree.Root()};
  std::vector<std::pair<std::string, int>> failures;
  run->progress.folderFailure = [&](const std::string& where, int error) {
    failures.emplace_back(where, error);
  };
  ASSERT_TRUE(BoundedRun::Run(run, std::chrono::seconds(60)));
  EXPECT_EQ(HitLines(run->progress.hitList),
            (std::vector<std::string>{MakeHitLine(shallowFile, 0)}));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].second, ENAMETOOLONG);
  EXPECT_EQ(std::count(failures[0].first.begin(), failures[0].first.end(), '/'), 1001);
  SearchProgress counting;
  EXPECT_EQ(CountFiles(run->locations, SearchConditions{}, counting), 1u);
}

#endif  // !_WIN32
