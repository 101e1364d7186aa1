#pragma once
// The values kept in the settings key between runs, with their defaults.
#include <string>

namespace trovex::app {

struct AppSettings {
  std::string path;          // "path": location the browser showed at close
  std::string extpath;       // "extpath": history saved by the power action
  bool exitFrg = false;      // "exit frg": that history has not been opened yet
  bool prsRowFrg = false;    // "prsrowfrg": binary view shows extra rows
  bool textOnly = false;     // "text only": binary view reads .rtf as plain text
  int shutDownMode = 0;      // "shut downmode": power action 0..3
  int option = 0;            // "option": how byte-sequence hits are shown
};

}  // namespace trovex::app
