// Entry point of Trovex.exe: the program reads no command line.
#include <windows.h>

#include "app/main_form.h"
#include "app/program_entry.h"
#include "platform/ui/application.h"
#include "shell/shut_down_msg_dlg.h"
#include "viewer/input_str_chg_dlg.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace trovex;
  // The auto-created windows live until the program ends.
  ui::FormPtr<app::TForm1> form1;
  ui::FormPtr<app::TShutDownMsgDlg> shutDownMsgDlg;
  ui::FormPtr<app::TInputStrChgDlg> inputStrChgDlg;

  app::ProgramEntryHooks hooks;
  hooks.setTitle = [](const std::string& title) { ui::App().SetTitle(title); };
  hooks.showMessage = [](const std::string& text) { ui::App().ShowMessage(text); };
  hooks.createWindows = [&] {
    form1 = ui::MakeForm<app::TForm1>();
    shutDownMsgDlg = ui::MakeForm<app::TShutDownMsgDlg>();
    inputStrChgDlg = ui::MakeForm<app::TInputStrChgDlg>();
  };
  hooks.runMessageLoop = [&] { ui::App().Run(*form1); };
  hooks.showException = [](const std::exception& error) { ui::App().ShowException(error); };
  return app::RunProgramEntry(hooks);
}
