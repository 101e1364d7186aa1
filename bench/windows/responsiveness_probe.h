#pragma once
// The longest time a window did not answer: a second thread sends it WM_NULL
// again and again and keeps the longest wait.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace trovex::bench {

inline double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Sends WM_NULL to the window again and again and keeps the longest wait.
class ResponsivenessProbe {
 public:
  explicit ResponsivenessProbe(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            const auto start = std::chrono::steady_clock::now();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
            const double waited = Milliseconds(std::chrono::steady_clock::now() - start);
            if (!stop_) longest_ = std::max(longest_.load(), waited);
            ++answers_;
            Sleep(1);
          }
          finished_ = true;
        }) {}
  ~ResponsivenessProbe() { Stop(); }
  // Ends the questions; the caller's thread answers the last one meanwhile, so
  // the wait for it is not counted against the window.
  void Stop() {
    stop_ = true;
    while (answers_ >= 0 && !finished_) {
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
      Sleep(1);
    }
    if (thread_.joinable()) thread_.join();
  }
  double LongestMilliseconds() const { return longest_; }
  long Answers() const { return answers_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<double> longest_{0};
  std::atomic<long> answers_{0};
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

}  // namespace trovex::bench
