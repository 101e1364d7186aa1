#pragma once
// TShutDownMsgDlg: the countdown before the power action. Created once at start-up
// and kept hidden; Confirm shows it for one action. A second's tick advances the
// red bar; at the end the dialog closes with OK, キャンセル (or Escape) cancels.
#include <string>

#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/progress_bar64.h"
#include "platform/ui/timer.h"

namespace trovex::shell {

class TShutDownMsgDlg : public ui::Form {
 public:
  TShutDownMsgDlg();

  ui::Label Label1;
  ui::ProgressBar64 ColorProgressBar1;
  ui::Button CancelBtn;
  ui::Timer Timer1;

  // Shows the countdown for the action `modeName` under `title`; true when it ran
  // out (the action follows), false when the user cancelled.
  bool Confirm(const std::string& title, const std::string& modeName);
  int Ticks() const { return ticks_; }

  void Timer1Timer(ui::Component& sender);

 protected:
  void FormShow() override;
  void FormClose(ui::CloseAction& action) override;

 private:
  std::string modeName_;
  int ticks_ = 0;
};

}  // namespace trovex::shell
