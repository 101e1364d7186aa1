#pragma once
// The values kept in the settings key between runs, with their defaults, and the
// one table of their registry names that both the read at start and the write at
// close go through.
#include <cstdint>
#include <string>
#include <variant>

namespace trovex::app {

struct AppSettings {
  std::string path;          // location the browser showed at close
  std::string extpath;       // history saved by the power action
  bool exitFrg = false;      // that history has not been opened yet
  bool prsRowFrg = false;    // binary view shows extra rows
  bool textOnly = false;     // binary view reads .rtf as plain text
  std::int32_t shutDownMode = 0;  // power action 0..3
  std::int32_t option = 0;        // how byte-sequence hits are shown
};

// One registry value of the settings: its name and the field it holds.
struct SettingValue {
  const char* name;
  std::variant<std::string AppSettings::*, bool AppSettings::*, std::int32_t AppSettings::*> field;
};

// In the order they are written at close.
inline constexpr SettingValue kSettingValues[] = {
    {"path", &AppSettings::path},
    {"extpath", &AppSettings::extpath},
    {"exit frg", &AppSettings::exitFrg},
    {"prsrowfrg", &AppSettings::prsRowFrg},
    {"text only", &AppSettings::textOnly},
    {"shut downmode", &AppSettings::shutDownMode},
    {"option", &AppSettings::option},
};

}  // namespace trovex::app
