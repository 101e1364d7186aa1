#include "shell/power_action.h"

namespace trovex::shell {
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

std::string ExitModeName(ExitMode mode) {
  switch (mode) {
    case ExitMode::LogOff:
      return "ログオフ";
    case ExitMode::PowerOff:
      return "シャットダウン";
    case ExitMode::Standby:
      return "スタンバイ";
    case ExitMode::Hibernate:
      return "休止状態";
  }
  return std::string();
}

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

bool RunPowerAction(ExitMode mode, int osLevel, power::PowerService& power, const PowerLog& log) {
  if (mode == ExitMode::LogOff) return power.LogOff();
  if (!SetPrivilege(true, osLevel, power, log)) return false;
  bool done = true;
  switch (mode) {
    case ExitMode::PowerOff:
      done = power.PowerOff();
      break;
    case ExitMode::Standby:
      done = power.Suspend(false);
      break;
    case ExitMode::Hibernate:
      done = power.Suspend(true);
      break;
    case ExitMode::LogOff:
      break;
  }
  SetPrivilege(false, osLevel, power, log);
  if (!done) log("他のアプリケーションの要求により" + ExitModeName(mode) + "が中止されました。");
  return done;
}

}  // namespace trovex::shell
