#pragma once
// TShutDownMsgDlg: the countdown before the power action. Created once at start-up
// and kept hidden.
// TODO(power action): its controls and countdown.
#include "platform/ui/form.h"

namespace trovex::app {

class TShutDownMsgDlg : public ui::Form {
 public:
  TShutDownMsgDlg();
};

}  // namespace trovex::app
