#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <fstream>

#include "platform/fs/long_path_posix.h"
#include "platform/fs/seek_penalty.h"

namespace trovex::fs {

std::optional<bool> RotationalOfBlockFolder(const std::string& deviceFolder) {
  for (const char* tail : {"/queue/rotational", "/../queue/rotational"}) {
    std::ifstream in(deviceFolder + tail);
    int flag = -1;
    if (in >> flag && (flag == 0 || flag == 1)) return flag == 1;
  }
  return std::nullopt;
}

std::optional<bool> HasSeekPenalty(const std::string& path) {
  struct stat info {};
  if (!StatAnyLength(path, info)) return std::nullopt;
  return RotationalOfBlockFolder("/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                                 std::to_string(minor(info.st_dev)));
}

}  // namespace trovex::fs
