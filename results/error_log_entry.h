#pragma once
// AddErrorLogEntry: how an unattended action reports a failure nobody is there to see.
#include <cstdint>
#include <string>
#include <vector>

namespace trovex::results {

// Appends an entry stamped with the local date and time to the log. An empty
// `message` stands for the system's own text for `errorCode`.
void AddErrorLogEntry(std::vector<std::string>& errorLogList, std::uint32_t errorCode,
                      const std::string& message);

}  // namespace trovex::results
