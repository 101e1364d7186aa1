#pragma once
// The calls of the power action after a search, behind an interface so that tests
// record them instead of making them (under Wine a real log-off ends the Wine
// session). Power() is the service in use; a ScopedPowerService replaces it.
#include <string>

namespace trovex::power {

// How a privilege change of the process token went.
enum class PrivilegeResult {
  Done,
  OpenTokenFailed,  // OpenProcessToken
  LookupFailed,     // LookupPrivilegeValue
  AdjustFailed,     // AdjustTokenPrivileges left an error: the account lacks the privilege
};

class PowerService {
 public:
  virtual ~PowerService() = default;
  // The requests; false when the system refused.
  virtual bool LogOff() = 0;
  virtual bool PowerOff() = 0;
  // Standby, or hibernation; returns after the machine woke up again.
  virtual bool Suspend(bool hibernate) = 0;
  // Enables or disables a privilege of the process (e.g. "SeShutdownPrivilege").
  virtual PrivilegeResult SetPrivilege(const std::string& name, bool enable) = 0;
};

// The system's own calls (a platform without them refuses every request).
PowerService& SystemPowerService();

// The service in use: the system's unless a ScopedPowerService replaced it.
PowerService& Power();

class ScopedPowerService {
 public:
  explicit ScopedPowerService(PowerService& replacement);
  ~ScopedPowerService();
  ScopedPowerService(const ScopedPowerService&) = delete;
  ScopedPowerService& operator=(const ScopedPowerService&) = delete;

 private:
  PowerService* previous_;
};

}  // namespace trovex::power
