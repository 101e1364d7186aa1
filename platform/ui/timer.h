#pragma once
// Timer: OnTimer every Interval milliseconds while Enabled (on by default, 1000 ms).
#include <cstdint>

#include "platform/ui/component.h"

namespace trovex::ui {

class Timer : public Component {
 public:
  Timer();
  ~Timer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);

  NotifyEvent OnTimer;

  // Runs the timer with this id (called from the timer window).
  static void Fire(std::uintptr_t id);

 private:
  void Restart();

  std::uintptr_t id_;
  bool enabled_ = true;
  unsigned interval_ = 1000;
  bool running_ = false;
};

}  // namespace trovex::ui
