#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <fstream>

#include "platform/fs/sector_size.h"

namespace trovex::fs {
namespace {

std::optional<std::uint32_t> ReadSectorFile(const std::string& file) {
  std::ifstream in(file);
  unsigned long value = 0;
  if (!(in >> value)) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

bool PlausibleSector(std::uint32_t size) {
  return size >= 512 && size <= 4096 && (size & (size - 1)) == 0;
}

}  // namespace

std::string VolumeKeyOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  return "dev:" + std::to_string(static_cast<unsigned long long>(info.st_dev));
}

std::optional<std::uint32_t> SectorSizeOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  // The block device's logical sector size; a partition keeps it in its disk's folder.
  const std::string device = "/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                             std::to_string(minor(info.st_dev));
  for (const char* tail : {"/queue/logical_block_size", "/../queue/logical_block_size"}) {
    if (auto size = ReadSectorFile(device + tail); size && PlausibleSector(*size)) return size;
  }
  // No block device behind it (tmpfs, overlay, network): the file system's block size.
  struct statvfs volume {};
  if (statvfs(path.c_str(), &volume) == 0) {
    const auto size = static_cast<std::uint32_t>(volume.f_bsize);
    if (PlausibleSector(size)) return size;
  }
  return std::nullopt;
}

}  // namespace trovex::fs
