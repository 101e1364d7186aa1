#include "app/os_level.h"

namespace trovex::app {

int ClassifyOsLevel(bool nt, unsigned major, unsigned minor, bool hasQueryFullProcessImageName) {
  int level;
  if (!nt) {
    level = (major == 4 && minor >= 90) ? 1 : 0;
  } else if (major == 5) {
    level = minor == 0 ? 2 : 3;
  } else if (major == 6) {
    level = minor == 0 ? 4 : 5;
  } else {
    level = 6;
  }
  if (hasQueryFullProcessImageName && level < 5) level = 5;
  return level;
}

}  // namespace trovex::app
