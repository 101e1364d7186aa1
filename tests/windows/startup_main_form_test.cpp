// TForm1's start-up and close handlers with its folders in a temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_identity.h"
#include "app/main_form.h"
#include "app/startup_steps.h"
#include "platform/os/registry.h"
#include "results/colour_scheme.h"
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
