#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <unistd.h>

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

namespace {

// The driver's name of a disk's device ("virtio_blk"), or empty.
std::string DriverOf(const std::string& diskFolder) {
  char target[4096];
  const ssize_t n = readlink((diskFolder + "/device/driver").c_str(), target, sizeof target - 1);
  if (n <= 0) return {};
  const std::string link(target, static_cast<std::size_t>(n));
  return link.substr(link.find_last_of('/') + 1);
}

std::string FirstLineOf(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

bool IsVirtualDisk(const std::string& diskFolder) {
  const std::string driver = DriverOf(diskFolder);
  // virtio's block driver, Xen's front end.
  if (driver == "virtio_blk" || driver == "vbd") return true;
  return IsVirtualDiskVendor(FirstLineOf(diskFolder + "/device/vendor")) ||
         IsVirtualDiskModel(FirstLineOf(diskFolder + "/device/model"));
}

// A device mapper or RAID device (LVM, LUKS) lies on the disks in its slaves/
// folder: it is virtual when every one of them is (a partition by its disk).
bool OnVirtualDisks(const std::string& deviceFolder) {
  DIR* slaves = opendir((deviceFolder + "/slaves").c_str());
  if (!slaves) return false;
  bool any = false, all = true;
  while (const dirent* entry = readdir(slaves)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string slave = deviceFolder + "/slaves/" + name;
    any = true;
    all = all && (IsVirtualDisk(slave) || IsVirtualDisk(slave + "/.."));
  }
  closedir(slaves);
  return any && all;
}

}  // namespace

std::optional<bool> SeekPenaltyOfBlockFolder(const std::string& deviceFolder) {
  const auto rotational = RotationalOfBlockFolder(deviceFolder);
  if (rotational != true) return rotational;
  // A partition's disk is one folder up.
  if (IsVirtualDisk(deviceFolder) || IsVirtualDisk(deviceFolder + "/..") ||
      OnVirtualDisks(deviceFolder))
    return false;
  return true;
}

std::optional<bool> HasSeekPenalty(const std::string& path) {
  struct stat info {};
  if (!StatAnyLength(path, info)) return std::nullopt;
  return SeekPenaltyOfBlockFolder("/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                                  std::to_string(minor(info.st_dev)));
}

}  // namespace trovex::fs
