// The power action after an unattended search: the mode asked at Start, and after
// the run the automatic save, the countdown and the action.
#include "app/app_identity.h"
#include "app/main_form.h"
#include "app/program_state_steps.h"
#include "platform/power/power_service.h"
#include "results/error_log_entry.h"
#include "shell/exit_dlg.h"
#include "shell/power_action.h"
#include "shell/shut_down_msg_dlg.h"

namespace trovex::app {

void TForm1::ChooseExitMode() {
  if (!ExitChkBox.Checked()) return;
  if (const std::optional<results::ExitMode> mode =
          shell::ChooseExitModeDialog(this, State.Settings.ExitMode)) {
    State.Settings.ExitMode = *mode;
  } else {
    ExitChkBox.SetChecked(false);  // the search runs without the power action
  }
}

void TForm1::FinishUnattendedRun() {
  // Only this save points the view button at a result: an ordinary save leaves a
  // pending unattended result where it is.
  const results::HistorySave save = SaveResultFile();
  if (!save.saved) {
    // Nobody would find the result: the machine stays on.
    ExitChkBox.SetChecked(false);
    results::AddErrorLogEntry(State.ErrorLogList, 0, "保存に失敗しました。");
    return;
  }
  State.Settings.PendingResultsPath = save.path;
  State.Settings.PendingResultsFlag = true;

  const results::ExitMode mode = State.Settings.ExitMode;
  auto countdown = ui::MakeForm<shell::TShutDownMsgDlg>();
  if (!countdown->Confirm(kAppTitle, shell::ExitModeName(mode))) {
    ExitChkBox.SetChecked(false);
    return;
  }
  // The pending result and the log are on disk before the machine sleeps or the
  // session ends.
  SaveAtClose(State);
  shell::RunPowerAction(mode, State.OsLevel, power::Power(), [this](const std::string& message) {
    results::AddErrorLogEntry(State.ErrorLogList, 0, message);
  });
}

}  // namespace trovex::app
