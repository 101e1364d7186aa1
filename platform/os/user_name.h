#pragma once
#include <string>

namespace trovex::os {

// The name of the user the program runs as (CP932); empty when it cannot be had.
std::string CurrentUserName();

}  // namespace trovex::os
