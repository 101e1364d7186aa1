#pragma once
// Which volume a file lives on, and the sector size of that volume: what decides
// the size and alignment of unbuffered reads.
#include <cstdint>
#include <optional>
#include <string>

namespace trovex::fs {

// A key that tells volumes apart: the drive root "X:\" (or "\\server\share\") on
// Windows, the device number on Linux. Empty when it cannot be told.
std::string VolumeKeyOf(const std::string& path);

// Bytes per sector of the volume holding `path` (a CP932 path on Windows, the file
// system's bytes on Linux); nullopt when the system does not say.
std::optional<std::uint32_t> SectorSizeOf(const std::string& path);

}  // namespace trovex::fs
