#include "platform/os/locale_compare.h"

#include <windows.h>

#include "platform/os/wide_text.h"

namespace trovex::os {

int CompareLocaleText(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return a.empty() ? (b.empty() ? 0 : -1) : 1;
  return lstrcmpW(Widen(a).c_str(), Widen(b).c_str());
}

}  // namespace trovex::os
