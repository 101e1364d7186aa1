#pragma once
// The location browser: the main window's left column, where a user picks the
// drives and folders a search walks. The main window creates it and places it;
// its controls and handlers live here, and it reads and changes CurrentPath in
// the program's shared state.
#include <string>
#include <vector>

#include "platform/ui/panel.h"
#include "results/program_state.h"

namespace trovex::app {

class LocationBrowser : public ui::Panel {
 public:
  LocationBrowser(ui::Control* parent, results::ProgramState& state);

  results::ProgramState& State() { return state_; }

  // The folders visited before the current one, most recent last.
  std::vector<std::string> BackStack;

 private:
  results::ProgramState& state_;
};

}  // namespace trovex::app
