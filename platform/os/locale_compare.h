#pragma once
// The user's locale order of two texts, as list views sort by it.
#include <string>

namespace trovex::os {

// <0, 0 or >0 (lstrcmpW of the texts decoded from CP932).
int CompareLocaleText(const std::string& a, const std::string& b);

}  // namespace trovex::os
