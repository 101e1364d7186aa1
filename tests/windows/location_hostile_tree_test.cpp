// A search over the drive level sees the host's whole file system through Z:.
// Pipes, devices and /proc entries there are no regular files: the walk must
// pass them by and finish. The tree is made on the host side with its own tools.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

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
  const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
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
void Unlink(const std::string& path) { LinuxCall(kLinuxUnlink, reinterpret_cast<std::intptr_t>(path.c_str()), 0, 0); }

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
  ASSERT_TRUE(ParseSearchContent("needle", SearchOptions{}, [](const std::string&) {}, run->query));
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
  for (const std::string& line : run->progress.hitList.Lines()) {
    if (line.find("\\proc-fd\\") == std::string::npos) lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{MakeHitLine(root + "\\plain.txt", 2),
                                              MakeHitLine(root + "\\sub\\inner.txt", 0)}));
  EXPECT_GE(run->counted, 2u);
}

}  // namespace
}  // namespace trovex::search
