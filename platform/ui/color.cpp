#include "platform/ui/color.h"

#include <windows.h>

namespace trovex::ui {

std::uint32_t ColorToRgb(Color color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

}  // namespace trovex::ui
