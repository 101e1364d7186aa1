#include "app/program_entry.h"

#include <stdexcept>

#include "app/app_identity.h"
#include "platform/os/named_mutex.h"
#include "platform/os/registry.h"

namespace trovex::app {

int RunProgramEntry(const ProgramEntryHooks& hooks) {
  const std::string title = kAppTitle;
  hooks.setTitle(title);
  const std::string runningMessage = title + "は実行中です。";
  if (os::NamedMutexExists(title)) {
    hooks.showMessage(runningMessage);
    return 0;
  }
  os::NamedMutex mutex;
  // A second start between the check above and here finds the mutex made.
  if (mutex.Create(title) && mutex.AlreadyExisted()) {
    hooks.showMessage(runningMessage);
    return 0;
  }
  try {
    os::RegistryKey key;
    if (!key.Open(os::RegistryRoot::CurrentUser, kSettingsKey)) {
      hooks.showMessage("インストールして、ご使用下さい！！");
    } else {
      key.Close();
      hooks.createWindows();
      hooks.runMessageLoop();
    }
  } catch (const std::exception& error) {
    hooks.showException(error);
  } catch (...) {
    hooks.showException(std::runtime_error("Unknown exception"));
  }
  if (!mutex.Release()) hooks.showMessage("所有権を解除 Error");
  if (!mutex.Close()) hooks.showMessage("CloseHandle Error");
  return 0;
}

}  // namespace trovex::app
