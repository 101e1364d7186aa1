#include "app/view_button_blink.h"

namespace trovex::app {

int AdvanceViewButtonBlink(ViewButtonBlink& blink, bool pendingResults) {
  if ((pendingResults && blink.ticks > 2) || blink.imageSelector == 0) {
    blink.ticks = 0;
    const int image = blink.imageSelector;
    blink.imageSelector = 1 - blink.imageSelector;
    return image;
  }
  ++blink.ticks;
  return -1;
}

}  // namespace trovex::app
