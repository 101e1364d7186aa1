#pragma once
namespace trovex::os {

// Bits per pixel of a window's device context (the screen's when `window` is null).
int WindowColorDepth(void* window);

}  // namespace trovex::os
