#pragma once
#include <string>

namespace trovex::os {

// Full path of the running executable (CP932).
std::string RunningProgramPath();

}  // namespace trovex::os
