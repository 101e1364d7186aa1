// A search over the drive level sees the host's whole file system through Z:.
// Pipes, devices and /proc entries there are no regular files: the walk must
// pass them by and finish. The tree is made on the host side with its own tools.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "native/hit_lines.h"
#include "platform/fs/dir_listing.h"
#include "platform/os/wide_text.h"
#include "search/file_walk.h"
#include "search/hit_line.h"
#include "search/parse_search_content.h"
#include "search/run_search.h"
#include "windows/shell_test_folder.h"

namespace trovex::search {
namespace {

// The host's path of a Windows path; empty outside Wine.
std::string HostPath(const std::string& windowsPath) {
  using Convert = char*(CDECL*)(LPCWSTR);
  const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr) return {};
  char* unixPath = convert(os::Widen(windowsPath).c_str());
  if (unixPath == nullptr) return {};
  std::string path = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return path;
}

// The host's own calls, made directly: under Wine this program runs in a Linux
// process on x86-64, where the "syscall" instruction reaches the Linux kernel.
// Wine has no Windows call that makes a FIFO or a link to a device.
std::intptr_t LinuxCall(std::intptr_t number, std::intptr_t a, std::intptr_t b, std::intptr_t c) {
  std::intptr_t result;
  asm volatile("syscall"
               : "=a"(result)
               : "a"(number), "D"(a), "S"(b), "d"(c)
               : "rcx", "r11", "memory");
  return result;
}
constexpr std::intptr_t kLinuxSymlink = 88;  // symlink(target, link)
constexpr std::intptr_t kLinuxUnlink = 87;   // unlink(path)
constexpr std::intptr_t kLinuxMknod = 133;   // mknod(path, mode, device)
constexpr std::intptr_t kFifoMode = 0010000 | 0644;

bool MakeFifo(const std::string& path) {
  return LinuxCall(kLinuxMknod, reinterpret_cast<std::intptr_t>(path.c_str()), kFifoMode, 0) == 0;
}
bool MakeLink(const std::string& target, const std::string& link) {
  return LinuxCall(kLinuxSymlink, reinterpret_cast<std::intptr_t>(target.c_str()),
                   reinterpret_cast<std::intptr_t>(link.c_str()), 0) == 0;
}
void Unlink(const std::string& path) {
  LinuxCall(kLinuxUnlink, reinterpret_cast<std::intptr_t>(path.c_str()), 0, 0);
}

// The host path as Wine shows it on drive Z:.
std::string ThroughZ(const std::string& hostPath) {
  std::string path = "Z:" + hostPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

TEST(LocationHostileTree, AWalkThroughZPassesPipesDevicesAndProcAndFinishes) {
  testing::ShellTestFolder tree;
  tree.File("plain.txt", "..needle..");
  tree.Folder("sub");
  tree.File("sub\\inner.txt", "needle");
  const std::string host = HostPath(tree.Root());
  if (host.empty()) GTEST_SKIP() << "a Windows without Wine has no host file system behind Z:";
  // The host's links and pipe go before the folder is removed, so that its removal
  // does not follow them.
  struct HostEntries {
    std::string folder;
    ~HostEntries() {
      for (const char* name : {"/pipe", "/zero", "/proc-fd", "/status"}) Unlink(folder + name);
    }
  } hostEntries{host};
  ASSERT_TRUE(MakeFifo(host + "/pipe"));
  ASSERT_TRUE(MakeLink("/dev/zero", host + "/zero"));
  ASSERT_TRUE(MakeLink("/proc/self/fd", host + "/proc-fd"));
  ASSERT_TRUE(MakeLink("/proc/self/status", host + "/status"));

  struct Run {
    SearchQuery query;
    SearchLocations locations;
    SearchConditions conditions;
    ScanState scanState;
    SearchProgress progress;
    std::atomic<bool> done{false};
    std::uint32_t counted = 0;
  };
  // Shared with the worker, which may outlive a failed test.
  auto run = std::make_shared<Run>();
  ASSERT_TRUE(ParseSearchContent(
      "needle", SearchOptions{}, [](const std::string&) {}, run->query));
  const std::string root = ThroughZ(host);
  run->locations.paths = {root};
  std::thread worker([run] {
    run->counted = CountFiles(run->locations, run->conditions, run->progress);
    RunSearch(run->locations, run->conditions, run->query, MatchOptions{}, run->scanState,
              run->progress);
    run->done = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!run->done && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (!run->done) {
    run->progress.cancelRequested = true;
    worker.detach();
    FAIL() << "the walk did not finish; last file: " << run->progress.CurrentFile();
  }
  worker.join();
  // The plain files are found; the pipe and the devices were never read to a hit.
  // Entries of /proc/self/fd that lead to the process's own open regular files (its
  // executable, a log) are regular files and may hold the needle: they are not
  // counted here.
  std::vector<std::string> lines;
  for (const std::string& line : HitLines(run->progress.hitList)) {
    if (line.find("\\proc-fd\\") == std::string::npos) lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{MakeHitLine(root + "\\plain.txt", 2),
                                             MakeHitLine(root + "\\sub\\inner.txt", 0)}));
  EXPECT_GE(run->counted, 2u);
}

constexpr std::intptr_t kLinuxRename = 82;  // rename(from, to)

bool Rename(const std::string& from, const std::string& to) {
  return LinuxCall(kLinuxRename, reinterpret_cast<std::intptr_t>(from.c_str()),
                   reinterpret_cast<std::intptr_t>(to.c_str()), 0) == 0;
}

// A search run on a thread of its own, stopped through cancelRequested should it
// not end within the limit; shared with the worker, which may outlive a failed test.
struct BoundedRun {
  SearchQuery query;
  SearchLocations locations;
  SearchConditions conditions;
  ScanState scanState;
  SearchProgress progress;
  std::atomic<bool> done{false};
  std::uint32_t counted = 0;

  static bool Run(const std::shared_ptr<BoundedRun>& run, std::chrono::seconds limit) {
    std::thread worker([run] {
      run->counted = CountFiles(run->locations, run->conditions, run->progress);
      RunSearch(run->locations, run->conditions, run->query, MatchOptions{}, run->scanState,
                run->progress);
      run->done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!run->done && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const bool ended = run->done;
    run->progress.cancelRequested = true;
    worker.join();
    return ended;
  }
};

std::vector<std::string> HitPaths(const SearchProgress& progress) {
  std::vector<std::string> paths;
  for (const std::string& line : HitLines(progress.hitList))
    paths.push_back(SplitHitLine(line)->path);
  return paths;
}

// The process's own pseudo files seen through Z:: pagemap reports size 0 and
// reads on for hundreds of gibibytes, mem and environ too have no true size.
TEST(LocationHostileTree, ProcSelfPseudoFilesThroughZReadNothingAndTheWalkEnds) {
  testing::ShellTestFolder tree;
  tree.File("plain.txt", "..needle");
  const std::string host = HostPath(tree.Root());
  if (host.empty()) GTEST_SKIP() << "a Windows without Wine has no host file system behind Z:";
  const char* const names[] = {"pagemap", "mem", "environ", "maps", "fdinfo", "attr"};
  struct HostEntries {
    std::string folder;
    std::vector<std::string> names;
    ~HostEntries() {
      for (const std::string& name : names) Unlink(folder + "/" + name);
    }
  } hostEntries{host, {}};
  for (const char* name : names) {
    ASSERT_TRUE(MakeLink(std::string("/proc/self/") + name, host + "/" + name)) << name;
    hostEntries.names.push_back(name);
  }
  auto run = std::make_shared<BoundedRun>();
  ASSERT_TRUE(ParseSearchContent(
      "needle", SearchOptions{}, [](const std::string&) {}, run->query));
  const std::string root = ThroughZ(host);
  run->locations.paths = {root};
  ASSERT_TRUE(BoundedRun::Run(run, std::chrono::seconds(60)))
      << "the walk did not end; last file: " << run->progress.CurrentFile();
  EXPECT_EQ(HitLines(run->progress.hitList),
            std::vector<std::string>{MakeHitLine(root + "\\plain.txt", 2)});
  // The scan itself, by the Windows path: nothing is read.
  ScanState state;
  std::atomic<bool> cancel{false};
  EXPECT_FALSE(SearchFile(root + "\\pagemap", run->query, MatchOptions{}, state, cancel));
}

// The file is swapped with a host link to /dev/zero over and over while it is
// listed and scanned through Z:. Every scan ends; a hit is the plain file's.
TEST(LocationHostileTree, ScansThroughZEndWhileAFileIsSwappedWithALinkToDevZero) {
  testing::ShellTestFolder tree;
  tree.File("f.txt", "..needle");
  const std::string host = HostPath(tree.Root());
  if (host.empty()) GTEST_SKIP() << "a Windows without Wine has no host file system behind Z:";
  const std::string root = ThroughZ(host);
  SearchQuery query;
  ASSERT_TRUE(ParseSearchContent(
      "needle", SearchOptions{}, [](const std::string&) {}, query));
  struct Shared {
    std::atomic<bool> stop{false};
    std::atomic<bool> cancel{false};
  };
  auto shared = std::make_shared<Shared>();
  std::thread swapper([shared, host, root] {
    const std::string link = host + "/link.tmp";
    while (!shared->stop) {
      Unlink(link);
      if (MakeLink("/dev/zero", link)) Rename(link, host + "/f.txt");
      // The plain file is made on the Windows side, then moved over on the host.
      HANDLE file = CreateFileW(os::Widen(root + "\\plain.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, "..needle", 8, &written, nullptr);
        CloseHandle(file);
      }
      Rename(host + "/plain.tmp", host + "/f.txt");
    }
  });
  int scans = 0, stuck = 0;
  ScanState state;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (std::chrono::steady_clock::now() < until && stuck == 0) {
    fs::DirectoryListing listing(root + "\\", fs::ListingDetail::NamesAndKinds);
    fs::DirEntry entry;
    while (listing.Next(entry)) {
      if (entry.name != "f.txt") continue;
      const fs::ListedFile listed{listing.FolderHandle(), entry.name.c_str(), !entry.isLink};
      // Bounded: a scan still going after the limit is stopped through the flag.
      auto result = std::async(std::launch::async, [&] {
        return SearchFile(root + "\\f.txt", query, MatchOptions{}, state, shared->cancel, listed);
      });
      ++scans;
      if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ++stuck;
        shared->cancel = true;
      }
      const auto hit = result.get();
      shared->cancel = false;
      if (hit) {
        EXPECT_EQ(*hit, 2u);
      }
    }
  }
  shared->stop = true;
  swapper.join();
  Unlink(host + "/link.tmp");
  EXPECT_EQ(stuck, 0);
  EXPECT_GT(scans, 10);
}

// Host folders linked to one another, seen through Z:: each real folder is walked
// once, so that each file is found once and the work stays that of the folders.
TEST(LocationHostileTree, FoldersLinkedToEachOtherThroughZAreWalkedOnceEach) {
  testing::ShellTestFolder tree;
  constexpr int kFolders = 6;
  for (int i = 1; i <= kFolders; ++i) {
    tree.Folder("d" + std::to_string(i));
    // The offset of the hit tells the files apart.
    tree.File("d" + std::to_string(i) + "\\f.txt", std::string(i, '.') + "needle");
  }
  const std::string host = HostPath(tree.Root());
  if (host.empty()) GTEST_SKIP() << "a Windows without Wine has no host file system behind Z:";
  struct HostLinks {
    std::vector<std::string> paths;
    ~HostLinks() {
      for (const std::string& path : paths) Unlink(path);
    }
  } links;
  for (int i = 1; i <= kFolders; ++i) {
    for (int j = 1; j <= kFolders; ++j) {
      if (i == j) continue;
      const std::string link = host + "/d" + std::to_string(i) + "/l" + std::to_string(j);
      ASSERT_TRUE(MakeLink("../d" + std::to_string(j), link));
      links.paths.push_back(link);
    }
  }
  auto run = std::make_shared<BoundedRun>();
  ASSERT_TRUE(ParseSearchContent(
      "needle", SearchOptions{}, [](const std::string&) {}, run->query));
  run->locations.paths = {ThroughZ(host)};
  ASSERT_TRUE(BoundedRun::Run(run, std::chrono::seconds(60)));
  std::vector<std::int64_t> offsets;
  for (const std::string& line : HitLines(run->progress.hitList))
    offsets.push_back(std::stoll(SplitHitLine(line)->offsetText));
  std::sort(offsets.begin(), offsets.end());
  EXPECT_EQ(offsets, (std::vector<std::int64_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(run->progress.filesExamined.load(), static_cast<std::uint64_t>(kFolders));
  EXPECT_EQ(run->counted, static_cast<std::uint32_t>(kFolders));
}

// Under Wine a folder's index is the host's inode number, and the roots of the
// host's file systems share theirs (/dev/pts and /dev/shm are both 1): two such
// folders are two folders, both walked.
TEST(LocationHostileTree, RootsOfHostFileSystemsSharingAnIndexAreBothWalked) {
  const std::string pts = "Z:\\dev\\pts\\";
  const std::string shm = "Z:\\dev\\shm\\";
  if (HostPath(shm).empty())
    GTEST_SKIP() << "a Windows without Wine has no host file system behind Z:";
  {
    const fs::DirectoryListing first(pts), second(shm);
    if (!first.QuickIdentity() || first.QuickIdentity() != second.QuickIdentity())
      GTEST_SKIP() << "this host's /dev/pts and /dev/shm do not share an index";
    EXPECT_NE(first.Identity(), second.Identity());
  }
  const std::string folder = shm + "trovex-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryW(os::Widen(folder).c_str(), nullptr));
  struct Cleanup {
    std::string folder;
    ~Cleanup() {
      DeleteFileW(os::Widen(folder + "\\f.txt").c_str());
      RemoveDirectoryW(os::Widen(folder).c_str());
    }
  } cleanup{folder};
  HANDLE file = CreateFileW(os::Widen(folder + "\\f.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "..needle", 8, &written, nullptr);
  CloseHandle(file);

  auto run = std::make_shared<BoundedRun>();
  ASSERT_TRUE(ParseSearchContent(
      "needle", SearchOptions{}, [](const std::string&) {}, run->query));
  run->locations.paths = {pts, shm};
  ASSERT_TRUE(BoundedRun::Run(run, std::chrono::seconds(60)));
  EXPECT_EQ(HitLines(run->progress.hitList), (std::vector<std::string>{folder + "\\f.txt=2"}));
  SearchProgress ptsAlone;
  EXPECT_EQ(run->counted,
            CountFiles(SearchLocations{false, {pts}}, SearchConditions{}, ptsAlone) + 1);
}

}  // namespace
}  // namespace trovex::search
