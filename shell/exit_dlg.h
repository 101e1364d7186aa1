#pragma once
// TExitDlg: "Windows 終了設定", the choice of what follows an unattended search:
// log-off, shutdown, standby or hibernation.
#include <optional>

#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "platform/ui/radio_group.h"
#include "results/exit_mode.h"

namespace trovex::shell {

class TExitDlg : public ui::Form {
 public:
  explicit TExitDlg(ui::Form* owner);

  ui::Panel Panel1;  // the coloured header
  ui::RadioGroup RadioGroup1;
  ui::Button OKBtn;
  ui::Button CancelBtn;
};

// Asks for the mode, starting from `mode`; the chosen mode, or nothing when the
// dialog was not closed with OK.
std::optional<results::ExitMode> ChooseExitModeDialog(ui::Form* owner, results::ExitMode mode);

}  // namespace trovex::shell
