#pragma once
// Whether the volume holding a path pays for seeks (a spinning disk): reading
// several of its files at once then costs more than reading them one by one.
//
// A disk that a hypervisor presents says it spins whatever stores it (QEMU's
// virtio disks report a rotational queue; cloud volumes likewise), yet serves
// parallel reads faster, as any queue of requests on shared storage does. Such a
// disk counts as having no seek penalty: its driver (virtio, Xen), its vendor (QEMU,
// VMware, Hyper-V, VirtualBox, Google) or its model ("QEMU HARDDISK", ...) names it,
// on Linux (a device mapper or RAID device by the disks under it) and on Windows,
// where the adapter's bus type (virtual, iSCSI, NVMe) does too.
#include <optional>
#include <string>
#include <string_view>

namespace trovex::fs {

// True for a volume with a seek penalty, false for one without; nullopt when the
// system does not say (no block device behind it, no rights to ask).
std::optional<bool> HasSeekPenalty(const std::string& path);

// A disk vendor's or model's identification (SCSI inquiry data, padded with blanks)
// that names a hypervisor's virtual disk.
bool IsVirtualDiskVendor(std::string_view vendor);
bool IsVirtualDiskModel(std::string_view model);

#ifndef _WIN32
// The answer of a block device's folder under /sys (a partition's queue is its
// disk's, one folder up): its queue/rotational flag.
std::optional<bool> RotationalOfBlockFolder(const std::string& deviceFolder);
// The seek penalty of a block device's folder under /sys: its rotational flag,
// false for a hypervisor's disk.
std::optional<bool> SeekPenaltyOfBlockFolder(const std::string& deviceFolder);
#endif

}  // namespace trovex::fs
