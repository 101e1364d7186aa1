#include "shell/shut_down_msg_dlg.h"

namespace trovex::app {

TShutDownMsgDlg::TShutDownMsgDlg() {
  SetBorder(ui::BorderStyle::Dialog, 0);
  SetPosition(ui::FormPosition::ScreenCenter);
}

}  // namespace trovex::app
