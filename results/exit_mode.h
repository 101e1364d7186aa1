#pragma once
// The power action after an unattended search. It is one of the stored settings
// (results/program_state.h), so it lives below the shell that runs it.
#include <cstdint>

namespace trovex::results {

// The power action after an unattended search (TExitDlg's items, in their order;
// the settings keep the index).
enum class ExitMode : std::int32_t { LogOff = 0, PowerOff = 1, Standby = 2, Hibernate = 3 };
inline constexpr int kExitModeCount = 4;

// The mode a stored or chosen index stands for: one outside 0-3 counts as log-off,
// so that the dialog, the label and the action agree.
constexpr ExitMode ExitModeFromIndex(int index) {
  return index >= 0 && index < kExitModeCount ? static_cast<ExitMode>(index) : ExitMode::LogOff;
}
constexpr int IndexOf(ExitMode mode) { return static_cast<int>(mode); }

}  // namespace trovex::results
