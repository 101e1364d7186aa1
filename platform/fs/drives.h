#pragma once
// The logical drives a search over "every drive" walks.
#include <string>
#include <vector>

namespace trovex::fs {

// Windows: the drive texts "C:", "D:", ... in the system's order.
// POSIX: the root "/" alone.
std::vector<std::string> LogicalDrives();

}  // namespace trovex::fs
