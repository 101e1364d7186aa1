#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/power_action.h"

using namespace trovex;
using namespace trovex::app;

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
  PowerLog Sink() {
    return [this](const std::string& message) { entries.push_back(message); };
  }
};

TEST(PowerAction, EachModeMakesItsCallsInOrder) {
  const std::vector<std::vector<std::string>> expected = {
      {"logoff"},
      {"enable SeShutdownPrivilege", "poweroff", "disable SeShutdownPrivilege"},
      {"enable SeShutdownPrivilege", "standby", "disable SeShutdownPrivilege"},
      {"enable SeShutdownPrivilege", "hibernate", "disable SeShutdownPrivilege"}};
  for (int mode = 0; mode < kExitModeCount; ++mode) {
    RecordingPower power;
    Log log;
    EXPECT_TRUE(RunPowerAction(ExitModeFromIndex(mode), 2, power, log.Sink())) << mode;
    EXPECT_EQ(power.calls, expected[static_cast<std::size_t>(mode)]) << mode;
    EXPECT_TRUE(log.entries.empty());
  }
  // Below OS level 2 there is no token to touch.
  RecordingPower old;
  Log log;
  RunPowerAction(ExitMode::PowerOff, 1, old, log.Sink());
  EXPECT_EQ(old.calls, (std::vector<std::string>{"poweroff"}));
}

TEST(PowerAction, FailuresLeaveTheirLogEntries) {
  {
    RecordingPower power;  // a refused log-off is never noticed
    power.refuse = true;
    Log log;
    EXPECT_FALSE(RunPowerAction(ExitMode::LogOff, 2, power, log.Sink()));
    EXPECT_TRUE(log.entries.empty());
  }
  {
    RecordingPower power;
    power.refuse = true;
    Log log;
    EXPECT_FALSE(RunPowerAction(ExitMode::Standby, 2, power, log.Sink()));
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
    EXPECT_FALSE(RunPowerAction(ExitMode::PowerOff, 2, power, log.Sink()));
    EXPECT_EQ(power.calls, (std::vector<std::string>{"enable SeShutdownPrivilege"}));
    EXPECT_EQ(log.entries, (std::vector<std::string>{text}));
  }
  // The privilege not removed again is logged; the action itself stands.
  RecordingPower power;
  power.disableResult = power::PrivilegeResult::AdjustFailed;
  Log log;
  EXPECT_TRUE(RunPowerAction(ExitMode::Hibernate, 2, power, log.Sink()));
  EXPECT_EQ(log.entries, (std::vector<std::string>{"特権の無効に失敗しました。"}));
}

TEST(PowerAction, ModesTextsAndTheCountdown) {
  EXPECT_EQ(ExitModeName(ExitMode::Standby), "スタンバイ");
  EXPECT_EQ(ExitModeName(static_cast<ExitMode>(4)), "");
  EXPECT_EQ(ExitModeFromIndex(3), ExitMode::Hibernate);
  EXPECT_EQ(ExitModeFromIndex(4), ExitMode::LogOff);
  EXPECT_EQ(ExitModeFromIndex(-1), ExitMode::LogOff);
  EXPECT_EQ(CountdownCaption("Trovex β", "スタンバイ"), "Trovex β [ スタンバイ ] 確認");
  EXPECT_EQ(CountdownText("スタンバイ").rfind("15秒後に、スタンバイに入ります。\n\n", 0), 0u);
  int advances = 0;
  int ticks = 0;
  for (;; ++ticks) {
    const CountdownStep step = CountdownTick(ticks);
    if (step.close) break;
    if (step.advance) ++advances;
  }
  EXPECT_EQ(ticks + 1, 17);  // closes on the 17th tick
  EXPECT_GE(advances, kCountdownSeconds);
}

}  // namespace
