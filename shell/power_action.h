#pragma once
// The power action after an unattended search: the modes, the countdown's texts
// and ticks, and the sequence of privilege steps and power calls with the error-log
// entries their failures leave (nobody is there to read a message box).
#include <functional>
#include <string>

#include "platform/power/power_service.h"
#include "results/exit_mode.h"

namespace trovex::shell {

using results::ExitMode;
using results::ExitModeFromIndex;
using results::kExitModeCount;

inline constexpr int kCountdownSeconds = 15;
inline constexpr const char* kShutdownPrivilege = "SeShutdownPrivilege";

// "ログオフ", "シャットダウン", "スタンバイ", "休止状態"; empty for any other value.
std::string ExitModeName(ExitMode mode);

// The countdown dialog's caption and text.
std::string CountdownCaption(const std::string& title, const std::string& modeName);
std::string CountdownText(const std::string& modeName);

// One tick of the countdown, given the ticks before it: the bar advances for the
// first 16 ticks (it is full after 15), the dialog closes with OK on the 17th.
struct CountdownStep {
  bool advance = false;
  bool close = false;
};
CountdownStep CountdownTick(int ticksBefore);

// Receives the message of an error-log entry (the window stamps and keeps it).
using PowerLog = std::function<void(const std::string& message)>;

// Runs the action of `mode` through `power`, telling `log` what failed.
// Log-off is requested alone and never logged; the other modes enable the shutdown
// privilege first (not below OS level 2, which has none) and disable it after.
// True when the action was requested and not refused.
bool RunPowerAction(ExitMode mode, int osLevel, power::PowerService& power, const PowerLog& log);

}  // namespace trovex::shell
