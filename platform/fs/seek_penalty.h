#pragma once
// Whether the volume holding a path pays for seeks (a spinning disk): reading
// several of its files at once then costs more than reading them one by one.
#include <optional>
#include <string>

namespace trovex::fs {

// True for a volume with a seek penalty, false for one without; nullopt when the
// system does not say (no block device behind it, no rights to ask).
std::optional<bool> HasSeekPenalty(const std::string& path);

#ifndef _WIN32
// The answer of a block device's folder under /sys (a partition's queue is its
// disk's, one folder up): its queue/rotational flag.
std::optional<bool> RotationalOfBlockFolder(const std::string& deviceFolder);
#endif

}  // namespace trovex::fs
