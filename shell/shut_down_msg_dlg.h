#pragma once
// TShutDownMsgDlg: the countdown before the power action. Created once at start-up
// and kept hidden; its controls and countdown come with the power action.
#include "platform/ui/form.h"

namespace trovex::app {

class TShutDownMsgDlg : public ui::Form {
 public:
  TShutDownMsgDlg();
};

}  // namespace trovex::app
