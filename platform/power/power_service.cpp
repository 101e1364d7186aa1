#include "platform/power/power_service.h"

namespace trovex::power {
namespace {

PowerService* current = nullptr;

}  // namespace

PowerService& Power() { return current != nullptr ? *current : SystemPowerService(); }

ScopedPowerService::ScopedPowerService(PowerService& replacement) : previous_(current) {
  current = &replacement;
}

ScopedPowerService::~ScopedPowerService() { current = previous_; }

}  // namespace trovex::power
