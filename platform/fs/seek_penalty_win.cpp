#include <windows.h>
#include <winioctl.h>

#include "platform/fs/sector_size.h"
#include "platform/fs/seek_penalty.h"

namespace trovex::fs {

std::optional<bool> HasSeekPenalty(const std::string& path) {
  // The volume's device, "\\.\C:", opened without access rights: enough to ask
  // for its properties.
  const std::string root = VolumeKeyOf(path);
  if (root.size() != 3 || root[1] != ':') return std::nullopt;  // network shares do not say
  const std::wstring device = L"\\\\.\\" + std::wstring(1, static_cast<wchar_t>(root[0])) + L":";
  const HANDLE volume = CreateFileW(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (volume == INVALID_HANDLE_VALUE) return std::nullopt;
  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = StorageDeviceSeekPenaltyProperty;
  query.QueryType = PropertyStandardQuery;
  DEVICE_SEEK_PENALTY_DESCRIPTOR answer{};
  DWORD returned = 0;
  const BOOL asked = DeviceIoControl(volume, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query,
                                     &answer, sizeof answer, &returned, nullptr);
  CloseHandle(volume);
  if (!asked || returned < sizeof answer) return std::nullopt;
  return answer.IncursSeekPenalty != FALSE;
}

}  // namespace trovex::fs
