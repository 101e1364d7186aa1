#include "platform/os/display.h"

#include <windows.h>

namespace trovex::os {

int WindowColorDepth(void* window) {
  HWND hwnd = static_cast<HWND>(window);
  HDC dc = GetDC(hwnd);
  if (!dc) return 0;
  int bits = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(hwnd, dc);
  return bits;
}

}  // namespace trovex::os
