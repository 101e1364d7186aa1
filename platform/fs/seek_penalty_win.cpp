#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string_view>

#include "platform/fs/sector_size.h"
#include "platform/fs/seek_penalty.h"

namespace trovex::fs {

namespace {

template <typename Answer>
bool AskProperty(HANDLE volume, STORAGE_PROPERTY_ID id, Answer& answer, DWORD size = sizeof(Answer)) {
  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = id;
  query.QueryType = PropertyStandardQuery;
  DWORD returned = 0;
  return DeviceIoControl(volume, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &answer, size,
                         &returned, nullptr) &&
         returned >= sizeof(Answer);
}

bool IsVirtualDisk(HANDLE volume) {
  STORAGE_ADAPTER_DESCRIPTOR adapter{};
  if (AskProperty(volume, StorageAdapterProperty, adapter)) {
    switch (adapter.BusType) {
      case BusTypeVirtual:
      case BusTypeFileBackedVirtual:
      case BusTypeiScsi:
      case BusTypeNvme: return true;
      default: break;
    }
  }
  // The device descriptor is followed by its identification strings.
  union {
    STORAGE_DEVICE_DESCRIPTOR descriptor;
    char bytes[1024];
  } device{};
  if (!AskProperty(volume, StorageDeviceProperty, device.descriptor, sizeof device)) return false;
  const DWORD at = device.descriptor.VendorIdOffset;
  if (at == 0 || at >= sizeof device) return false;
  const char* vendor = device.bytes + at;
  return IsVirtualDiskVendor(std::string_view(vendor, strnlen(vendor, sizeof device - at)));
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
