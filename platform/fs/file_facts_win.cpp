#include <windows.h>

#include "platform/fs/date_time.h"
#include "platform/fs/file_facts.h"
#include "platform/fs/wide_path.h"

namespace trovex::fs {

std::optional<FileFacts> LookUpFile(const std::string& path) {
  const auto wide = WidePath(path);
  // A wildcard would find some other file.
  if (!wide || wide->find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileExW(wide->c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(find);
  FileFacts facts;
  facts.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  FILETIME local;
  SYSTEMTIME st;
  if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &st)) {
    facts.lastWriteTime = EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                                         st.wSecond, st.wMilliseconds);
  }
  return facts;
}

}  // namespace trovex::fs
