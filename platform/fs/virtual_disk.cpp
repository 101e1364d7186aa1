#include <array>

#include "platform/fs/seek_penalty.h"

namespace trovex::fs {

bool IsVirtualDiskVendor(std::string_view vendor) {
  const auto end = vendor.find_last_not_of(" \t\r\n");
  vendor = vendor.substr(0, end == std::string_view::npos ? 0 : end + 1);
  // QEMU and KVM, VMware, Hyper-V ("Msft Virtual Disk"), VirtualBox, Google Compute Engine.
  constexpr std::array<std::string_view, 5> kVendors = {"QEMU", "VMware", "Msft", "VBOX", "Google"};
  for (std::string_view known : kVendors)
    if (vendor == known ||
        (vendor.starts_with(known) && vendor.substr(known.size()).starts_with(",")))
      return true;
  return false;
}

bool IsVirtualDiskModel(std::string_view model) {
  // The disks QEMU, VirtualBox and VMware present on an emulated ATA or SCSI bus,
  // whose vendor says only "ATA".
  constexpr std::array<std::string_view, 4> kModels = {"QEMU HARDDISK", "VBOX HARDDISK",
                                                       "VMware Virtual", "Virtual Disk"};
  for (std::string_view known : kModels)
    if (model.starts_with(known)) return true;
  return false;
}

}  // namespace trovex::fs
