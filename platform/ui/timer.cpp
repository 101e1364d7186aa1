#include "platform/ui/timer.h"

#include <windows.h>

#include <map>

#include "platform/ui/application.h"

namespace trovex::ui {
namespace {

std::map<std::uintptr_t, Timer*>& Timers() {
  static std::map<std::uintptr_t, Timer*> timers;
  return timers;
}
std::uintptr_t nextTimerId = 1;

}  // namespace

Timer::Timer() : id_(nextTimerId++) {
  Timers()[id_] = this;
  Restart();
}

Timer::~Timer() {
  if (running_) KillTimer(App().UtilityWindow(), id_);
  Timers().erase(id_);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Restart();
}

void Timer::SetInterval(unsigned milliseconds) {
  if (interval_ == milliseconds) return;
  interval_ = milliseconds;
  Restart();
}

void Timer::Restart() {
  HWND window = App().UtilityWindow();
  if (running_) KillTimer(window, id_);
  running_ = enabled_ && interval_ > 0;
  if (running_) SetTimer(window, id_, interval_, nullptr);
}

void Timer::Fire(std::uintptr_t id) {
  auto found = Timers().find(id);
  if (found == Timers().end()) return;
  Timer& timer = *found->second;
  if (timer.enabled_ && timer.OnTimer) timer.OnTimer(timer);
}

}  // namespace trovex::ui
