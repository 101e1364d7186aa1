// Entry point of Trovex.exe: the program reads no command line.
#include <windows.h>

#include "app/main_form.h"
#include "app/program_entry.h"
#include "platform/ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace trovex;
  // The main window lives until the program ends; the dialogs (the countdown, the
  // text-to-bytes conversion) are made when they are needed.
  ui::FormPtr<app::TForm1> form1;

  app::ProgramEntryHooks hooks;
  hooks.setTitle = [](const std::string& title) { ui::App().SetTitle(title); };
  hooks.showMessage = [](const std::string& text) { ui::App().ShowMessage(text); };
  hooks.createWindows = [&] { form1 = ui::MakeForm<app::TForm1>(); };
  hooks.runMessageLoop = [&] { ui::App().Run(*form1); };
  hooks.showException = [](const std::exception& error) { ui::App().ShowException(error); };
  return app::RunProgramEntry(hooks);
}
