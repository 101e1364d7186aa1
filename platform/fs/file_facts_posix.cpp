#include <sys/stat.h>
#include <time.h>

#include "platform/fs/date_time.h"
#include "platform/fs/file_facts.h"
#include "platform/fs/long_path_posix.h"

namespace trovex::fs {

std::optional<FileFacts> LookUpFile(const std::string& path) {
  struct stat st {};
  if (path.empty() || !StatAnyLength(path, st)) return std::nullopt;
  FileFacts facts;
  facts.size = static_cast<std::uint64_t>(st.st_size);
  struct tm local {};
  if (localtime_r(&st.st_mtim.tv_sec, &local)) {
    facts.lastWriteTime = EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                         local.tm_hour, local.tm_min, local.tm_sec);
  }
  return facts;
}

}  // namespace trovex::fs
