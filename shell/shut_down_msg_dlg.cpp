#include "shell/shut_down_msg_dlg.h"

namespace trovex::app {

TShutDownMsgDlg::TShutDownMsgDlg() {
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons(0);
  SetPosition(ui::FormPosition::ScreenCenter);
}

}  // namespace trovex::app
