#include "shell/option_panel.h"

namespace trovex::app {

OptionPanel::OptionPanel(ui::Control* parent, results::ProgramState& state)
    : ui::Panel(parent), state_(state) {
  SetBevelOuter(ui::Bevel::None);
}

}  // namespace trovex::app
