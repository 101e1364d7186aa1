#pragma once
// The values the main window gives its version component, and the update server's
// base address: a built-in default that the string "updateserver" under the
// settings key replaces when present (read only; the program never writes it).
#include <string>

#include "shell/about_dialog.h"

namespace trovex::app {

inline constexpr const char* kDefaultUpdateServer = "https://www.vemko.example/";
inline constexpr const char* kMakerHomePage = "https://www.vemko.example/";
inline constexpr const char* kUpdateServerValue = "updateserver";

// The base address in use, ending with "/".
std::string UpdateServerAddress();

void SetAboutValues(shell::TAboutDialog& about);

}  // namespace trovex::app
