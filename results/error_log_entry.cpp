#include "results/error_log_entry.h"

#include "platform/os/local_time_text.h"
#include "platform/os/system_message.h"
#include "results/error_log.h"

namespace trovex::results {

void AddErrorLogEntry(std::vector<std::string>& errorLogList, std::uint32_t errorCode,
                      const std::string& message) {
  errorLogList.push_back(ErrorLogEntry(
      os::LocalDateTimeText(), message.empty() ? os::SystemMessageText(errorCode) : message));
}

}  // namespace trovex::results
