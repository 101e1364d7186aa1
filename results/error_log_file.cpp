#include "results/error_log_file.h"

#include "platform/fs/dir_listing.h"
#include "platform/fs/read_at.h"
#include "platform/fs/whole_file_write.h"
#include "results/error_log.h"

namespace trovex::results {

std::vector<std::string> LoadErrorLogList(const std::string& errorLogPath) {
  return ErrorLogListOfText(fs::ReadAllBytes(errorLogPath).value_or(""));
}

bool SaveErrorLogList(const std::string& errorLogPath,
                      const std::vector<std::string>& errorLogList) {
  if (!fs::IsExistingFile(errorLogPath)) return false;
  return fs::ReplaceWholeFile(errorLogPath, ErrorLogFileText(errorLogList));
}

}  // namespace trovex::results
