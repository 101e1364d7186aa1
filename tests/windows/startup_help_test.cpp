#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/open_help.h"
#include "startup_test_support.h"

using namespace trovex;
using startup_test::FakeViewer;

namespace {

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

bool WaitForViewerGone(DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 10) {
    if (!FindWindowW(L"TVemkoHelpDlg", nullptr)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

TEST(StartupHelp, RunningViewerGetsTheTargetByCopyData) {
  FakeViewer viewer;
  ASSERT_NE(viewer.window, nullptr);
  HWND caller = reinterpret_cast<HWND>(0x1234);
  app::OpenHelp({"C:\\Program Files\\Trovex β\\", caller, PumpMessages}, "#fileview");
  EXPECT_EQ(FakeViewer::received,
            "VemkoC:\\Program Files\\Trovex β\\Help\\TrovexBeta.html#fileview");
  EXPECT_EQ(FakeViewer::sender, reinterpret_cast<WPARAM>(caller));
}

TEST(StartupHelp, MinimisedViewerOwnerIsRestoredAsItWas) {
  FakeViewer viewer;
  ShowWindow(viewer.owner, SW_SHOWMINIMIZED);
  ASSERT_TRUE(IsIconic(viewer.owner));
  app::OpenHelp({"C:\\T\\", nullptr, PumpMessages}, "");
  EXPECT_FALSE(IsIconic(viewer.owner));
  EXPECT_FALSE(IsZoomed(viewer.owner));

  ShowWindow(viewer.owner, SW_SHOWMAXIMIZED);
  ShowWindow(viewer.owner, SW_SHOWMINIMIZED);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(viewer.owner, &placement);
  ASSERT_TRUE(placement.flags & WPF_RESTORETOMAXIMIZED);
  app::OpenHelp({"C:\\T\\", nullptr, PumpMessages}, "");
  EXPECT_TRUE(IsZoomed(viewer.owner));
}

TEST(StartupHelp, NothingHappensWithoutTheViewerProgram) {
  startup_test::TempDir dir;
  int pumped = 0;
  app::OpenHelp({dir.path(), nullptr, [&] { ++pumped; }}, "");
  EXPECT_EQ(pumped, 0);
  EXPECT_EQ(FindWindowW(L"TVemkoHelpDlg", nullptr), nullptr);
}

// Without a running viewer the program in "Help\" is started with the quoted
// target; once its window exists the next page goes to it instead.
TEST(StartupHelp, StartsTheViewerProgramThenHandsOverToIt) {
  ASSERT_EQ(FindWindowW(L"TVemkoHelpDlg", nullptr), nullptr);
  startup_test::TempDir dir;
  std::string helpDir = dir.path() + "Help\\";
  CreateDirectoryW(os::Widen(helpDir).c_str(), nullptr);
  ASSERT_TRUE(
      CopyFileW(os::Widen(startup_test::TestExeDir() + "trovex_standin_quillbox.exe").c_str(),
                os::Widen(helpDir + "Quillbox.exe").c_str(), FALSE));
  int pumped = 0;
  app::OpenHelp({dir.path(), nullptr, [&] { ++pumped; }}, "");
  HWND viewer = FindWindowW(L"TVemkoHelpDlg", nullptr);
  ASSERT_NE(viewer, nullptr) << "the viewer's window did not appear while waiting";
  EXPECT_GT(pumped, 0);
  EXPECT_EQ(startup_test::ReadFile(helpDir + "received.txt"), "\"" + helpDir + "TrovexBeta.html\"");

  app::OpenHelp({dir.path(), nullptr, PumpMessages}, "#BinaryView");
  EXPECT_EQ(startup_test::ReadFile(helpDir + "copydata.txt"),
            "Vemko" + helpDir + "TrovexBeta.html#BinaryView\n");
  EXPECT_EQ(startup_test::ReadFile(helpDir + "received.txt"), "\"" + helpDir + "TrovexBeta.html\"")
      << "a second viewer was started";

  PostMessageW(viewer, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitForViewerGone(10000));
}
