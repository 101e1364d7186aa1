#pragma once
// The search option panel: the main window's right column with the search content
// box and the options that qualify a search. The main window creates it and
// places it; its controls and handlers live here. Start reads it through one
// mapping into the core's search options.
#include <string>
#include <vector>

#include "platform/ui/panel.h"
#include "results/program_state.h"

namespace trovex::app {

class OptionPanel : public ui::Panel {
 public:
  OptionPanel(ui::Control* parent, results::ProgramState& state);

  results::ProgramState& State() { return state_; }

  // The name fragments of the name filter, as the last Start built them.
  std::vector<std::string> nameTerms;

 private:
  results::ProgramState& state_;
};

}  // namespace trovex::app
