#include <windows.h>

#include "platform/fs/sector_size.h"
#include "platform/fs/wide_path.h"
#include "platform/text/cp932.h"

namespace trovex::fs {

std::string VolumeKeyOf(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return std::string(1, path[0]) + ":\\";
  if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
    // \\server\share\ : up to the separator after the share name. Separators are
    // single bytes, never the trail byte of a double-byte character.
    int separators = 0;
    for (std::size_t pos = 2; pos < path.size(); pos += text::Cp932CharLength(path, pos)) {
      if (path[pos] == '\\' && ++separators == 2) return path.substr(0, pos + 1);
    }
    return path + "\\";
  }
  return {};
}

std::optional<std::uint32_t> SectorSizeOf(const std::string& path) {
  const std::string root = VolumeKeyOf(path);
  if (root.empty()) return std::nullopt;
  const auto wide = WidePath(root);
  if (!wide) return std::nullopt;
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceW(wide->c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &clusters) ||
      bytesPerSector == 0)
    return std::nullopt;
  return static_cast<std::uint32_t>(bytesPerSector);
}

}  // namespace trovex::fs
