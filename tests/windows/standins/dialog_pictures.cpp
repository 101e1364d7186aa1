// Shows one dialog filled as a user would leave it, for a person to look at
// (scripts/tour.sh takes its picture): "conversion" is the text-to-bytes dialog
// with a UTF-8 list.
#include <windows.h>

#include <string>

#include "platform/ui/application.h"
#include "viewer/input_str_chg_dlg.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  using namespace trovex;
  const std::string which = commandLine != nullptr ? commandLine : "";
  if (which != "conversion") return 2;
  auto dialog = ui::MakeForm<app::TInputStrChgDlg>();
  dialog->Edit1.SetText("あいう検索");
  dialog->CheckBox1.SetChecked(true);
  dialog->ShowModal();
  return 0;
}
