#include <windows.h>

#include "platform/fs/date_time.h"
#include "platform/fs/file_facts.h"
#include "platform/fs/wide_path.h"

namespace trovex::fs {

// The attribute query answers with the same size and time as a directory search
// for the path, at a tenth of its cost (no search handle).
std::optional<FileFacts> LookUpFile(const std::string& path) {
  // Wildcards are looked for in the path as given: a long form holds a "?" itself.
  if (path.find_first_of("*?") != std::string::npos) return std::nullopt;
  const auto wide = WidePath(path);
  if (!wide) return std::nullopt;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
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
