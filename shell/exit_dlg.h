#pragma once
// TExitDlg: "Windows 終了設定", the choice of what follows an unattended search:
// log-off, shutdown, standby or hibernation.
#include <optional>

#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "platform/ui/radio_group.h"

namespace trovex::app {

class TExitDlg : public ui::Form {
 public:
  explicit TExitDlg(ui::Form* owner);

  ui::Panel Panel1;  // the coloured header
  ui::RadioGroup RadioGroup1;
  ui::Button OKBtn;
  ui::Button CancelBtn;
};

// Asks for the mode, starting from `mode` (a value outside the modes starts at
// log-off); the chosen mode, or nothing when the dialog was not closed with OK.
std::optional<int> ChooseExitModeDialog(ui::Form* owner, int mode);

}  // namespace trovex::app
