#include "shell/location_browser.h"

namespace trovex::app {

LocationBrowser::LocationBrowser(ui::Control* parent, results::ProgramState& state)
    : ui::Panel(parent), state_(state) {
  SetBevelOuter(ui::Bevel::None);
}

}  // namespace trovex::app
