#include "results/error_log.h"

#include "platform/text/text_lines.h"
#include "results/byte_size_text.h"

namespace trovex::results {

std::string ErrorLogEntry(std::string_view dateTime, std::string_view message) {
  std::string entry = "[";
  entry += dateTime;
  entry += "]\n ";
  entry += message;
  return entry;
}

std::string ErrorLogViewText(const std::vector<std::string>& errorLogList) {
  return text::JoinLinesCrLf(text::SplitTextLines(ErrorLogFileText(errorLogList)));
}

std::vector<std::string> ErrorLogListOfText(std::string_view text) {
  return text::SplitTextLines(text);
}

std::string ErrorLogFileText(const std::vector<std::string>& errorLogList) {
  return text::JoinLinesCrLf(errorLogList);
}

std::size_t ErrorLogEntryCount(std::string_view text) {
  return text::SplitTextLines(text).size() / 2;
}

std::string ErrorLogStatusText(std::string_view text) {
  return "log count " + std::to_string(ErrorLogEntryCount(text)) + "   file size " +
         FormatByteSize(text.size());
}

}  // namespace trovex::results
