#pragma once
// Finding another program's top-level window and handing data to it.
#include <string>

namespace trovex::os_shell {

// The first top-level window of a class (CP932 name); null when none exists.
void* FindTopLevelWindow(const std::string& className);

// SendMessage WM_COPYDATA with wParam = `sender`, dwData 0 and exactly `bytes`
// (no terminating zero added). Returns the receiver's answer.
long long SendCopyData(void* target, void* sender, const std::string& bytes);

// Brings the owner of `window` forward: when the owner is minimised it is shown
// maximised if its placement says it was maximised before, else restored; then it
// becomes the foreground window. Nothing happens when `window` has no owner.
void BringOwnerForward(void* window);

}  // namespace trovex::os_shell
