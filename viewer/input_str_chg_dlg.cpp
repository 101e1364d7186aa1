#include "viewer/input_str_chg_dlg.h"

namespace trovex::app {

TInputStrChgDlg::TInputStrChgDlg() {
  SetCaption("バイナリ変換");
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetPosition(ui::FormPosition::ScreenCenter);
}

}  // namespace trovex::app
