#pragma once
// The program's start and end around the message loop: title, single-instance
// guard, settings key check, the auto-created windows, the loop, the exception
// display and the release of the mutex. The window library supplies the hooks.
#include <exception>
#include <functional>
#include <string>

namespace trovex::app {

struct ProgramEntryHooks {
  std::function<void(const std::string&)> setTitle;
  std::function<void(const std::string&)> showMessage;
  std::function<void()> createWindows;   // TForm1
  std::function<void()> runMessageLoop;  // until the main window closes
  std::function<void(const std::exception&)> showException;
};

// Runs the program. Returns 0 in every case.
int RunProgramEntry(const ProgramEntryHooks& hooks);

}  // namespace trovex::app
