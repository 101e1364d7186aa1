#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string_view>

#include "platform/fs/sector_size.h"
#include "platform/fs/seek_penalty.h"

namespace trovex::fs {

namespace {

// The property's answer into `answer` (`size` bytes of room); the bytes the driver
// wrote, or 0 when it did not write the fixed part.
template <typename Answer>
DWORD AskProperty(HANDLE volume, STORAGE_PROPERTY_ID id, Answer& answer,
                  DWORD size = sizeof(Answer)) {
  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = id;
  query.QueryType = PropertyStandardQuery;
  DWORD returned = 0;
  if (!DeviceIoControl(volume, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &answer, size,
                       &returned, nullptr) ||
      returned < sizeof(Answer))
    return 0;
  return returned < size ? returned : size;
}

// The identification string at `offset` of what the driver wrote, or empty.
std::string_view IdentificationAt(const char* bytes, DWORD written, DWORD offset) {
  if (offset == 0 || offset >= written) return {};
  return std::string_view(bytes + offset, strnlen(bytes + offset, written - offset));
}

bool IsVirtualDisk(HANDLE volume) {
  STORAGE_ADAPTER_DESCRIPTOR adapter{};
  if (AskProperty(volume, StorageAdapterProperty, adapter)) {
    switch (adapter.BusType) {
      case BusTypeVirtual:  // a hypervisor's synthetic disk
      case BusTypeiScsi:
      case BusTypeNvme:
        return true;
      default:
        break;  // a file-backed disk (a mounted VHD) lies on the host's own disk
    }
  }
  // The device descriptor is followed by its identification strings.
  union {
    STORAGE_DEVICE_DESCRIPTOR descriptor;
    char bytes[1024];
  } device;
  std::memset(&device, 0, sizeof device);
  const DWORD written =
      AskProperty(volume, StorageDeviceProperty, device.descriptor, sizeof device);
  if (written == 0) return false;
  return IsVirtualDiskVendor(
             IdentificationAt(device.bytes, written, device.descriptor.VendorIdOffset)) ||
         IsVirtualDiskModel(
             IdentificationAt(device.bytes, written, device.descriptor.ProductIdOffset));
}

}  // namespace

std::optional<bool> HasSeekPenalty(const std::string& path) {
  // The volume's device, "\\.\C:", opened without access rights: enough to ask
  // for its properties.
  const std::string root = VolumeKeyOf(path);
  if (root.size() != 3 || root[1] != ':') return std::nullopt;  // network shares do not say
  const std::wstring device = L"\\\\.\\" + std::wstring(1, static_cast<wchar_t>(root[0])) + L":";
  const HANDLE volume = CreateFileW(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (volume == INVALID_HANDLE_VALUE) return std::nullopt;
  DEVICE_SEEK_PENALTY_DESCRIPTOR answer{};
  std::optional<bool> penalty;
  if (AskProperty(volume, StorageDeviceSeekPenaltyProperty, answer))
    penalty = answer.IncursSeekPenalty != FALSE && !IsVirtualDisk(volume);
  CloseHandle(volume);
  return penalty;
}

}  // namespace trovex::fs
