#pragma once
// TInputStrChgDlg: the text-to-bytes conversion dialog "バイナリ変換". Created once at
// start-up and kept hidden; its controls and conversion come with the conversion.
#include "platform/ui/form.h"

namespace trovex::app {

class TInputStrChgDlg : public ui::Form {
 public:
  TInputStrChgDlg();
};

}  // namespace trovex::app
