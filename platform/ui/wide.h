#pragma once
// The window library converts its CP932 texts for the wide Win32 calls with the
// platform's one converter.
#include "platform/os/wide_text.h"

namespace trovex::ui {

using os::Narrow;
using os::Widen;

}  // namespace trovex::ui
