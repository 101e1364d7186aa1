// A search over the drive level sees the host's whole file system through Z:.
// Pipes, devices and /proc entries there are no regular files: the walk must
// pass them by and finish. The tree is made on the host side with its own tools.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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

// Runs a host program (Wine starts programs that are not Windows executables
// natively) and returns its exit code; -1 when it could not run.
int RunHostCommand(const std::string& commandLine) {
  std::wstring line = os::Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  WaitForSingleObject(process.hProcess, 10000);
  DWORD code = static_cast<DWORD>(-1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
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
  ASSERT_FALSE(host.empty()) << "not running under Wine";
  // The host's links and pipe go before the folder is removed, so that its removal
  // does not follow them.
  struct HostEntries {
    std::string folder;
    ~HostEntries() {
      RunHostCommand("Z:\\bin\\rm -f " + folder + "/pipe " + folder + "/zero " + folder +
                     "/proc-fd " + folder + "/status");
    }
  } hostEntries{host};
  ASSERT_EQ(RunHostCommand("Z:\\usr\\bin\\mkfifo " + host + "/pipe"), 0);
  ASSERT_EQ(RunHostCommand("Z:\\bin\\ln -s /dev/zero " + host + "/zero"), 0);
  ASSERT_EQ(RunHostCommand("Z:\\bin\\ln -s /proc/self/fd " + host + "/proc-fd"), 0);
  ASSERT_EQ(RunHostCommand("Z:\\bin\\ln -s /proc/self/status " + host + "/status"), 0);

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
  std::vector<std::string> lines = run->progress.hitList.Lines();
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{MakeHitLine(root + "\\plain.txt", 2),
                                              MakeHitLine(root + "\\sub\\inner.txt", 0)}));
  EXPECT_GE(run->counted, 2u);
}

}  // namespace
}  // namespace trovex::search
