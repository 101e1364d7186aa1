// TForm1's start-up and close handlers with its folders in a temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_identity.h"
#include "app/main_form.h"
#include "app/open_help.h"
#include "app/startup_steps.h"
#include "platform/os/registry.h"
#include "results/colour_scheme.h"
#include "result_test_support.h"
#include "startup_test_support.h"

using namespace trovex;
using startup_test::SettingsKeyGuard;

TEST(StartupMainForm, LoadsTheLogAndSavesEverythingAtClose) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  startup_test::TempDir dir;
  std::string userDir = dir.path() + "data\\someone\\";
  CreateDirectoryW(os::Widen(dir.path() + "data").c_str(), nullptr);
  startup_test::WriteFile(dir.path() + "data\\errlog.txt",
                          "[2026/12/01 01:02:03]\r\n LookupPrivilegeValue Error\r\n");

  auto form =
      ui::MakeForm<app::TForm1>(app::StartupEnvironment{dir.path() + "Trovex.exe", "someone"});
  EXPECT_EQ(form->State.UserDataDir, userDir);
  EXPECT_EQ(form->State.ErrorLogList.size(), 2u);
  EXPECT_TRUE(form->LogSpBtn.Enabled());
  EXPECT_GT(form->State.ColorDepth, 0);
  EXPECT_EQ(form->StatusBarColor,
            results::UsesRichColours(form->State.ColorDepth) ? 0xC3C3C3u : ui::clBtnFace);

  form->State.ErrorLogList.clear();
  form->State.Settings.PendingResultsFlag = true;
  form->Close();
  EXPECT_EQ(startup_test::ReadFile(userDir + "errlog.txt"), "");
  os::RegistryKey key;
  ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, app::kSettingsKey));
  EXPECT_TRUE(key.ReadBool("exit frg"));
  EXPECT_EQ(key.ReadString("updatepath"), dir.path());
  ui::App().ResetTerminated();
}

TEST(StartupMainForm, F1HandsTheHelpPageToTheRunningViewer) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  startup_test::TempDir dir;
  auto form =
      ui::MakeForm<app::TForm1>(app::StartupEnvironment{dir.path() + "Trovex.exe", "someone"});
  startup_test::FakeViewer viewer;
  EXPECT_TRUE(form->PreviewKey(VK_F1, ui::ShiftState{}));
  EXPECT_EQ(startup_test::FakeViewer::received, "Vemko" + dir.path() + "Help\\TrovexBeta.html");
}

// Without the help viewer program the installed page opens in the web browser, at
// the anchor of the window that asks; with no page installed nothing opens.
TEST(StartupMainForm, WithoutTheViewerF1OpensTheInstalledPageInTheBrowser) {
  SettingsKeyGuard guard;
  SettingsKeyGuard::CreateEmptyKey();
  startup_test::TempDir dir;
  result_test::RecordingOpener opener;
  os_shell::ShellServices fakes = os_shell::Services();
  fakes.open = &opener;
  os_shell::ScopedShellServices replaced(fakes);
  auto form =
      ui::MakeForm<app::TForm1>(app::StartupEnvironment{dir.path() + "Trovex.exe", "someone"});
  EXPECT_TRUE(form->PreviewKey(VK_F1, ui::ShiftState{}));
  EXPECT_TRUE(opener.addresses.empty());

  CreateDirectoryW(os::Widen(dir.path() + "Help").c_str(), nullptr);
  startup_test::WriteFile(dir.path() + "Help\\TrovexBeta.html", "<html></html>");
  EXPECT_TRUE(form->PreviewKey(VK_F1, ui::ShiftState{}));
  form->OpenHelp("#fileview");
  const std::string page = app::FileAddress(dir.path() + "Help\\TrovexBeta.html");
  EXPECT_EQ(opener.addresses, (std::vector<std::string>{page, page + "#fileview"}));
  EXPECT_EQ(page.rfind("file:///", 0), 0u);
  EXPECT_EQ(page.find('\\'), std::string::npos);
  EXPECT_EQ(app::FileAddress("C:\\Program Files\\T#1\\a%.html"),
            "file:///C:/Program%20Files/T%231/a%25.html");
}
