#include "shell/power_action.h"

namespace trovex::app {
namespace {

bool SetPrivilege(bool enable, int osLevel, power::PowerService& power, const PowerLog& log) {
  if (osLevel < 2) return true;
  switch (power.SetPrivilege(kShutdownPrivilege, enable)) {
    case power::PrivilegeResult::Done:
      return true;
    case power::PrivilegeResult::OpenTokenFailed:
      log("OpenProcessToken Error");
      return false;
    case power::PrivilegeResult::LookupFailed:
      log("LookupPrivilegeValue Error");
      return false;
    case power::PrivilegeResult::AdjustFailed:
      log(enable ? "特権の有効に失敗しました。" : "特権の無効に失敗しました。");
      return false;
  }
  return false;
}

}  // namespace

std::string ExitModeName(int mode) {
  switch (mode) {
    case 0:
      return "ログオフ";
    case 1:
      return "シャットダウン";
    case 2:
      return "スタンバイ";
    case 3:
      return "休止状態";
    default:
      return std::string();
  }
}

int ValidExitMode(int mode) { return mode >= 0 && mode < kExitModeCount ? mode : 0; }

std::string CountdownCaption(const std::string& title, const std::string& modeName) {
  return title + " [ " + modeName + " ] 確認";
}

std::string CountdownText(const std::string& modeName) {
  return std::to_string(kCountdownSeconds) + "秒後に、" + modeName +
         "に入ります。\n\n取り消す場合は、キャンセルを押して下さい。";
}

CountdownStep CountdownTick(int ticksBefore) {
  if (ticksBefore <= kCountdownSeconds) return {true, false};
  return {false, true};
}

bool RunPowerAction(int mode, int osLevel, power::PowerService& power, const PowerLog& log) {
  if (mode == 0) return power.LogOff();
  if (!SetPrivilege(true, osLevel, power, log)) return false;
  bool done = true;
  switch (mode) {
    case 1:
      done = power.PowerOff();
      break;
    case 2:
      done = power.Suspend(false);
      break;
    case 3:
      done = power.Suspend(true);
      break;
    default:
      break;
  }
  SetPrivilege(false, osLevel, power, log);
  if (!done) log("他のアプリケーションの要求により" + ExitModeName(mode) + "が中止されました。");
  return done;
}

}  // namespace trovex::app
