#include "platform/power/power_service.h"

namespace trovex::power {
namespace {

// The console tool has no power action: every request is refused.
class NoPower : public PowerService {
 public:
  bool LogOff() override { return false; }
  bool PowerOff() override { return false; }
  bool Suspend(bool) override { return false; }
  PrivilegeResult SetPrivilege(const std::string&, bool) override {
    return PrivilegeResult::OpenTokenFailed;
  }
};

}  // namespace

PowerService& SystemPowerService() {
  static NoPower power;
  return power;
}

}  // namespace trovex::power
