#include "platform/shell/com_thread.h"

#include <objbase.h>

namespace trovex::os_shell {

bool InitializeComForThread() { return SUCCEEDED(CoInitialize(nullptr)); }

void UninitializeComForThread() { CoUninitialize(); }

}  // namespace trovex::os_shell
