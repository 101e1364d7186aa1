// The power action after an unattended search, with a recording power service in
// place of the real calls (a real log-off would end the Wine session): the mode
// asked at Start, the result window closing itself, the automatic save, the
// countdown driven tick by tick, the calls of the chosen mode, and each way out.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "main_form_test_support.h"
#include "platform/power/power_service.h"
#include "result_test_support.h"
#include "shell/exit_dlg.h"
#include "shell/shut_down_msg_dlg.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;

class RecordingPower : public power::PowerService {
 public:
  bool LogOff() override { return Record("logoff"); }
  bool PowerOff() override { return Record("poweroff"); }
  bool Suspend(bool hibernate) override { return Record(hibernate ? "hibernate" : "standby"); }
  power::PrivilegeResult SetPrivilege(const std::string& name, bool enable) override {
    Record((enable ? "enable " : "disable ") + name);
    return power::PrivilegeResult::Done;
  }
  bool Record(const std::string& call) {
    calls.push_back(call);
    return true;
  }
  std::vector<std::string> calls;
};

class PowerActionTest : public MainFormTest {
 protected:
  PowerActionTest() : scoped_(power_) {}

  // Start with the box checked: the mode dialog (answered by `chooseMode`), the
  // pre-count, the result window (which must close by itself), then `countdown`.
  void RunUnattended(TForm1& form, const ModalScript::Step& chooseMode,
                     const ModalScript::Step& countdown) {
    folder_.File("a.txt", "needle");
    form.ExitChkBox.SetChecked(true);
    ModalScript script;
    script.Then(chooseMode);
    script.Then([](ui::Form&) {});  // the pre-count closes itself
    script.Then([](ui::Form& window) {
      auto& view = static_cast<results::TViewDlg&>(window);
      // Nobody closes it: the end of the run does.
      EXPECT_TRUE(testing::PumpUntil([&] { return view.ModalResult() != ui::mrNone; }, 20000));
    });
    if (countdown) script.Then(countdown);
    EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
    EXPECT_TRUE(form.SpeedButton3.Enabled());
  }

  static void Choose(ui::Form& dialog, int mode, bool ok) {
    auto& exit = dynamic_cast<shell::TExitDlg&>(dialog);
    EXPECT_EQ(exit.Caption(), "Windows 終了設定");
    exit.RadioGroup1.SetItemIndex(mode);
    (ok ? exit.OKBtn : exit.CancelBtn).Click();
  }

  RecordingPower power_;

 private:
  power::ScopedPowerService scoped_;
};

TEST_F(PowerActionTest, AnUnattendedRunSavesCountsDownAndSuspends) {
  TForm1 form(Environment());
  int ticks = 0;
  RunUnattended(
      form, [](ui::Form& dialog) { Choose(dialog, 2, true); },
      [&](ui::Form& dialog) {
        auto& countdown = dynamic_cast<shell::TShutDownMsgDlg&>(dialog);
        EXPECT_EQ(countdown.Caption(), "Trovex β [ スタンバイ ] 確認");
        EXPECT_EQ(countdown.Label1.Caption().rfind("15秒後に、スタンバイに入ります。", 0), 0u);
        // The timer's ticks, driven here: the dialog closes itself on the 17th.
        while (countdown.Modal() && countdown.ModalResult() == ui::mrNone && ticks < 30) {
          countdown.Timer1Timer(countdown.Timer1);
          ++ticks;
        }
        EXPECT_EQ(countdown.ColorProgressBar1.Position(), 15u);
      });
  EXPECT_EQ(ticks, 17);
  EXPECT_EQ(form.State.Settings.ExitMode, results::ExitMode::Standby);
  EXPECT_EQ(power_.calls, (std::vector<std::string>{"enable SeShutdownPrivilege", "standby",
                                                    "disable SeShutdownPrivilege"}));
  EXPECT_TRUE(form.State.Settings.PendingResultsFlag);
  EXPECT_EQ(HistoryFilesIn(form.State.UserDataDir),
            std::vector<std::string>{form.State.Settings.PendingResultsPath});
  EXPECT_TRUE(form.State.ErrorLogList.empty());
}

TEST_F(PowerActionTest, ACancelledCountdownKeepsTheSavedResultAndDoesNothing) {
  TForm1 form(Environment());
  RunUnattended(
      form, [](ui::Form& dialog) { Choose(dialog, 1, true); },
      [](ui::Form& dialog) { dynamic_cast<shell::TShutDownMsgDlg&>(dialog).CancelBtn.Click(); });
  EXPECT_TRUE(power_.calls.empty());
  EXPECT_FALSE(form.ExitChkBox.Checked());
  EXPECT_TRUE(form.State.Settings.PendingResultsFlag);
  EXPECT_FALSE(form.State.Settings.PendingResultsPath.empty());
}

// A cancelled mode dialog: the search runs as any other and asks to save.
TEST_F(PowerActionTest, ACancelledModeLeavesAnOrdinarySearch) {
  TForm1 form(Environment());
  folder_.File("a.txt", "needle");
  form.ExitChkBox.SetChecked(true);
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);
  ModalScript script;
  script.Then([](ui::Form& dialog) { Choose(dialog, 3, false); });
  result_test::ThenFinishedResultWindow(script, [](results::TViewDlg& view) { view.Close(); });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_FALSE(form.ExitChkBox.Checked());
  EXPECT_EQ(form.State.Settings.ExitMode, results::ExitMode::LogOff);
  EXPECT_TRUE(power_.calls.empty());
  EXPECT_FALSE(form.State.Settings.PendingResultsFlag);
}

// A result that cannot be saved would be lost: no countdown, no action, a log entry.
TEST_F(PowerActionTest, AFailedSaveStopsThePowerAction) {
  TForm1 form(Environment());
  form.State.UserDataDir = folder_.File("not-a-folder") + "\\inside\\";
  RunUnattended(
      form, [](ui::Form& dialog) { Choose(dialog, 1, true); }, nullptr);
  EXPECT_TRUE(power_.calls.empty());
  EXPECT_FALSE(form.ExitChkBox.Checked());
  EXPECT_FALSE(form.State.Settings.PendingResultsFlag);
  ASSERT_EQ(form.State.ErrorLogList.size(), 1u);
  EXPECT_NE(form.State.ErrorLogList[0].find("保存に失敗しました。"), std::string::npos);
}

// The result window's own power option while its run lasts: it sets the main
// window's, its label names the mode, a double click chooses another (a cancel
// keeps the mode and the check); when the run ends both are hidden.
TEST_F(PowerActionTest, TheResultWindowsPowerOptionSetsTheMainWindows) {
  TForm1 form(Environment());
  result_test::MakeSlowTree(folder_, 1);
  form.ExitChkBox.SetChecked(true);
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);  // no power action after all: the save question
  ModalScript script;
  script.Then([](ui::Form& dialog) { Choose(dialog, 2, true); });
  script.Then([](ui::Form&) {});
  script.Then([&](ui::Form& window) {
    auto& view = static_cast<results::TViewDlg&>(window);
    EXPECT_TRUE(view.CheckBox1.Visible());
    EXPECT_TRUE(view.CheckBox1.Checked());
    EXPECT_EQ(view.StaticText1.Caption(), "スタンバイ");
    EXPECT_GT(view.StaticText2.Width(), 0);
    EXPECT_LE(view.SpeedButton1.Left() + view.SpeedButton1.Width(), view.CheckBox1.Left());
    view.CheckBox1.SetChecked(false);
    view.CheckBox1.Click();
    EXPECT_FALSE(form.ExitChkBox.Checked());
    EXPECT_EQ(view.StaticText1.Caption(), "");
    view.CheckBox1.SetChecked(true);
    view.CheckBox1.Click();
    EXPECT_TRUE(form.ExitChkBox.Checked());
    view.StaticText1DblClick(view.StaticText1);  // 休止状態
    EXPECT_EQ(view.StaticText1.Caption(), "休止状態");
    view.StaticText1DblClick(view.StaticText1);  // cancelled
    EXPECT_EQ(view.StaticText1.Caption(), "休止状態");
    EXPECT_TRUE(form.ExitChkBox.Checked());
    view.CheckBox1.SetChecked(false);
    view.CheckBox1.Click();
    view.SpeedButton1.Click();  // 中止
    ASSERT_TRUE(result_test::WaitUntilFinished(view, 20000));
    EXPECT_FALSE(view.CheckBox1.Visible());
    EXPECT_FALSE(view.StaticText1.Visible());
    view.Close();
  });
  script.Then([](ui::Form& dialog) { Choose(dialog, 3, true); });
  script.Then([](ui::Form& dialog) { Choose(dialog, 0, false); });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 5);
  EXPECT_EQ(form.State.Settings.ExitMode, results::ExitMode::Hibernate);
  EXPECT_FALSE(form.ExitChkBox.Checked());
  EXPECT_TRUE(power_.calls.empty());
  EXPECT_FALSE(form.State.Settings.PendingResultsFlag);
}

}  // namespace
}  // namespace trovex::app
