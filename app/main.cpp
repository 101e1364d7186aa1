// Entry point of Trovex.exe: the program reads no command line.
#include <windows.h>

#include "app/main_form.h"
#include "platform/ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  trovex::ui::App().SetTitle("Trovex β");
  auto form = trovex::ui::MakeForm<trovex::app::TForm1>();
  trovex::ui::App().Run(*form);
  return 0;
}
