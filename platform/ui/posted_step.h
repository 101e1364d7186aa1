#pragma once
// PostedStep: the next step of a form's work, run as soon as the queue allows. The
// form posts its own message for it, at most one at a time, and not while the user's
// input waits (the form's timer takes the work on after that input), so that a long
// fill goes on in steps with input and paints between them.
#include <windows.h>

namespace trovex::ui {

class PostedStep {
 public:
  explicit PostedStep(UINT message) : message_(message) {}

  // Posts the message to `window`.
  void Post(HWND window) { posted_ = PostMessageW(window, message_, 0, 0) != FALSE; }
  // Posts it unless one is already queued or the user's input waits.
  void Follow(HWND window) {
    if (posted_ || HIWORD(GetQueueStatus(QS_INPUT)) != 0) return;
    Post(window);
  }
  // For the form's WndProc: whether `msg` is the step's message (then none is queued).
  bool Arrived(UINT msg) {
    if (msg != message_) return false;
    posted_ = false;
    return true;
  }
  bool Queued() const { return posted_; }

 private:
  UINT message_;
  bool posted_ = false;
};

}  // namespace trovex::ui
