#pragma once
// The view button blinks while an automatically saved result waits to be opened:
// on every 500 ms tick the main window asks which image the button shows next.

namespace trovex::app {

struct ViewButtonBlink {
  int ticks = 0;          // ticks since the image last changed
  int imageSelector = 1;  // the image shown at the next change
};

// Advances one tick. Returns the image number (0 or 1) to put on the button now,
// or -1 when the button keeps its image. With `pendingResults` image 1 shows for one
// tick and image 0 for four; without, image 0 stays after at most one more tick.
int AdvanceViewButtonBlink(ViewButtonBlink& blink, bool pendingResults);

}  // namespace trovex::app
