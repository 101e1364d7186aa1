#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/power_action.h"

using namespace trovex;
using namespace trovex::shell;

namespace {

// Records the calls instead of making them; refuses what it is told to.
class RecordingPower : public power::PowerService {
 public:
  bool LogOff() override {
    calls.push_back("logoff");
    return !refuse;
  }
  bool PowerOff() override {
    calls.push_back("poweroff");
    return !refuse;
  }
  bool Suspend(bool hibernate) override {
    calls.push_back(hibernate ? "hibernate" : "standby");
    return !refuse;
  }
  power::PrivilegeResult SetPrivilege(const std::string& name, bool enable) override {
    calls.push_back((enable ? "enable " : "disable ") + name);
    return enable ? enableResult : disableResult;
  }
  std::vector<std::string> calls;
  bool refuse = false;
  power::PrivilegeResult enableResult = power::PrivilegeResult::Done;
  power::PrivilegeResult disableResult = power::PrivilegeResult::Done;
};

// The messages the action logged.
struct Log {
  std::vector<std::string> entries;
  shell::PowerLog Sink() {
    return [this](const std::string& message) { entries.push_back(message); };
  }
};

TEST(PowerAction, EachModeMakesItsCallsInOrder) {
  const std::vector<std::vector<std::string>> expected = {
      {"logoff"},
      {"enable SeShutdownPrivilege", "poweroff", "disable SeShutdownPrivilege"},
      {"enable SeShutdownPrivilege", "standby", "disable SeShutdownPrivilege"},
      {"enable SeShutdownPrivilege", "hibernate", "disable SeShutdownPrivilege"}};
  for (int mode = 0; mode < results::kExitModeCount; ++mode) {
    RecordingPower power;
    Log log;
    EXPECT_TRUE(shell::RunPowerAction(results::ExitModeFromIndex(mode), 2, power, log.Sink()))
        << mode;
    EXPECT_EQ(power.calls, expected[static_cast<std::size_t>(mode)]) << mode;
    EXPECT_TRUE(log.entries.empty());
  }
  // Below OS level 2 there is no token to touch.
  RecordingPower old;
  Log log;
  shell::RunPowerAction(results::ExitMode::PowerOff, 1, old, log.Sink());
  EXPECT_EQ(old.calls, (std::vector<std::string>{"poweroff"}));
}

TEST(PowerAction, FailuresLeaveTheirLogEntries) {
  {
    RecordingPower power;  // a refused log-off is never noticed
    power.refuse = true;
    Log log;
    EXPECT_FALSE(shell::RunPowerAction(results::ExitMode::LogOff, 2, power, log.Sink()));
    EXPECT_TRUE(log.entries.empty());
  }
  {
    RecordingPower power;
    power.refuse = true;
    Log log;
    EXPECT_FALSE(shell::RunPowerAction(results::ExitMode::Standby, 2, power, log.Sink()));
    EXPECT_EQ(
        log.entries,
        (std::vector<std::string>{"他のアプリケーションの要求によりスタンバイが中止されました。"}));
  }
  const std::pair<power::PrivilegeResult, std::string> refusals[] = {
      {power::PrivilegeResult::OpenTokenFailed, "OpenProcessToken Error"},
      {power::PrivilegeResult::LookupFailed, "LookupPrivilegeValue Error"},
      {power::PrivilegeResult::AdjustFailed, "特権の有効に失敗しました。"}};
  for (const auto& [result, text] : refusals) {
    RecordingPower power;
    power.enableResult = result;
    Log log;
    EXPECT_FALSE(shell::RunPowerAction(results::ExitMode::PowerOff, 2, power, log.Sink()));
    EXPECT_EQ(power.calls, (std::vector<std::string>{"enable SeShutdownPrivilege"}));
    EXPECT_EQ(log.entries, (std::vector<std::string>{text}));
  }
  // The privilege not removed again is logged; the action itself stands.
  RecordingPower power;
  power.disableResult = power::PrivilegeResult::AdjustFailed;
  Log log;
  EXPECT_TRUE(shell::RunPowerAction(results::ExitMode::Hibernate, 2, power, log.Sink()));
  EXPECT_EQ(log.entries, (std::vector<std::string>{"特権の無効に失敗しました。"}));
}

TEST(PowerAction, ModesTextsAndTheCountdown) {
  EXPECT_EQ(shell::ExitModeName(results::ExitMode::Standby), "スタンバイ");
  EXPECT_EQ(shell::ExitModeName(static_cast<results::ExitMode>(4)), "");
  EXPECT_EQ(results::ExitModeFromIndex(3), results::ExitMode::Hibernate);
  EXPECT_EQ(results::ExitModeFromIndex(4), results::ExitMode::LogOff);
  EXPECT_EQ(results::ExitModeFromIndex(-1), results::ExitMode::LogOff);
  EXPECT_EQ(shell::CountdownCaption("Trovex β", "スタンバイ"), "Trovex β [ スタンバイ ] 確認");
  EXPECT_EQ(shell::CountdownText("スタンバイ").rfind("15秒後に、スタンバイに入ります。\n\n", 0),
            0u);
  int advances = 0;
  int ticks = 0;
  for (;; ++ticks) {
    const shell::CountdownStep step = shell::CountdownTick(ticks);
    if (step.close) break;
    if (step.advance) ++advances;
  }
  EXPECT_EQ(ticks + 1, 17);  // closes on the 17th tick
  EXPECT_GE(advances, shell::kCountdownSeconds);
}

}  // namespace
