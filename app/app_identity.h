#pragma once
// The program's name and where its settings live. The title also names the
// single-instance mutex and the desktop shortcut.
namespace trovex::app {

inline constexpr const char* kAppTitle = "Trovex β";
inline constexpr const char* kSettingsKey = "\\Software\\Vemko\\Trovex β";

}  // namespace trovex::app
