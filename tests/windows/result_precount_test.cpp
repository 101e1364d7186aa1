// The pre-count dialog: it runs its work once shortly after it shows and closes
// when the work returns; キャンセル and Escape raise the cancel flag, the close
// box does not; its panel names the location with an alternating prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "platform/ui/application.h"
#include "shell/msg_cansel_dlg.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

// A counting walk stand-in: processes messages, as CountFiles does per entry,
// until the cancel flag is set or `entries` have passed.
std::uint32_t PumpingWork(std::atomic<bool>& cancel, int entries, int* calls) {
  ++*calls;
  std::uint32_t counted = 0;
  for (int i = 0; i < entries && !cancel; ++i) {
    ui::App().ProcessMessages();
    Sleep(1);
    ++counted;
  }
  return counted;
}

TEST(ResultPrecount, PanelTextAlternatesItsPrefixAcrossDialogs) {
  shell::TMsgCanselDlg::ResetPrefix();
  EXPECT_EQ(shell::TMsgCanselDlg::NextStatusText("C:\\data\\x"),
            "∴ C:\\のドライブを調べています。");
  EXPECT_EQ(shell::TMsgCanselDlg::NextStatusText("D:"), "∵ D:のドライブを調べています。");
  // A double-byte character counts as one of the three.
  EXPECT_EQ(shell::TMsgCanselDlg::NextStatusText("表示\\a"), "∴ 表示\\のドライブを調べています。");
  // A new dialog carries on where the last one left.
  std::atomic<bool> cancel{false};
  int calls = 0;
  {
    testing::ModalScript script;
    script.Then([](ui::Form& form) {
      auto& dialog = static_cast<shell::TMsgCanselDlg&>(form);
      dialog.Timer2Timer(dialog.Timer2);
      EXPECT_EQ(dialog.Panel1.Text(), "∵ E:\\のドライブを調べています。");
    });
    auto dialog = ui::MakeForm<shell::TMsgCanselDlg>(
        nullptr, cancel, [&] { return PumpingWork(cancel, 1, &calls); },
        [] { return std::string("E:\\f"); });
    dialog->ShowModal();
  }
  EXPECT_EQ(shell::TMsgCanselDlg::NextStatusText("F:"), "∴ F:のドライブを調べています。");
}

TEST(ResultPrecount, RunsItsWorkOnceAndClosesWithTheCount) {
  std::atomic<bool> cancel{false};
  int calls = 0;
  testing::ModalScript script;
  script.Then([](ui::Form& form) {
    auto& dialog = static_cast<shell::TMsgCanselDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "検索ファイルの取得");
    EXPECT_EQ(dialog.CancelBtn.Caption(), "キャンセル");
    EXPECT_EQ(dialog.Timer1.Interval(), 10u);
    EXPECT_EQ(dialog.Timer2.Interval(), 1000u);
    EXPECT_TRUE(dialog.Timer1.Enabled() && dialog.Timer2.Enabled());
  });
  auto dialog = ui::MakeForm<shell::TMsgCanselDlg>(
      nullptr, cancel, [&] { return PumpingWork(cancel, 5, &calls); },
      [] { return std::string("C:"); });
  dialog->SetCaption("検索ファイルの取得");
  dialog->ShowModal();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(dialog->Count(), 5u);
  EXPECT_FALSE(dialog->Cancelled());
  EXPECT_FALSE(cancel);
  EXPECT_FALSE(dialog->Timer2.Enabled());
}

TEST(ResultPrecount, CancelDuringTheWorkRaisesTheFlagAndTheWorkReturnsEarly) {
  std::atomic<bool> cancel{false};
  int calls = 0;
  testing::ModalScript script;
  script.Then([](ui::Form& form) {
    auto& dialog = static_cast<shell::TMsgCanselDlg&>(form);
    // Pressed while the work runs: it sees the click through its message pump.
    SetTimer(dialog.CancelBtn.Handle(), 1, 50, [](HWND button, UINT, UINT_PTR id, DWORD) {
      KillTimer(button, id);
      SendMessageW(button, BM_CLICK, 0, 0);
    });
  });
  auto dialog = ui::MakeForm<shell::TMsgCanselDlg>(
      nullptr, cancel, [&] { return PumpingWork(cancel, 5000, &calls); },
      [] { return std::string("C:"); });
  dialog->ShowModal();
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(dialog->Cancelled());
  EXPECT_TRUE(cancel);
  EXPECT_LT(dialog->Count(), 5000u);
}

TEST(ResultPrecount, EscapeCancelsButTheCloseBoxDoesNot) {
  std::atomic<bool> cancel{false};
  int calls = 0;
  {
    testing::ModalScript script;
    script.Then([](ui::Form& form) {
      // The close box before the work has begun: the dialog stays.
      SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
      ui::App().ProcessMessages();
    });
    auto dialog = ui::MakeForm<shell::TMsgCanselDlg>(
        nullptr, cancel, [&] { return PumpingWork(cancel, 3, &calls); },
        [] { return std::string("C:"); });
    dialog->ShowModal();
    EXPECT_FALSE(dialog->Cancelled());
    EXPECT_EQ(calls, 1);  // the work ran and closed the dialog
    EXPECT_EQ(dialog->Count(), 3u);
  }
  {
    calls = 0;
    testing::ModalScript script;
    script.Then([](ui::Form& form) {
      auto& dialog = static_cast<shell::TMsgCanselDlg&>(form);
      EXPECT_TRUE(dialog.PreviewKey(VK_ESCAPE, 0));
    });
    auto dialog = ui::MakeForm<shell::TMsgCanselDlg>(
        nullptr, cancel, [&] { return PumpingWork(cancel, 3, &calls); },
        [] { return std::string("C:"); });
    dialog->ShowModal();
    EXPECT_TRUE(dialog->Cancelled());
    EXPECT_TRUE(cancel);
    EXPECT_EQ(calls, 0);  // cancelled before the work began: it never runs
  }
}

}  // namespace
}  // namespace trovex::app
