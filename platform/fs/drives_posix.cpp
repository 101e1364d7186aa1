#include "platform/fs/drives.h"

namespace trovex::fs {

std::vector<std::string> LogicalDrives() { return {"/"}; }

}  // namespace trovex::fs
