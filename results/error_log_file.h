#pragma once
// The error log file errlog.txt in the user's data folder: read at start, written
// back at exit. The program never creates it: a log is kept only where the file
// already exists (the setup program installs an empty one).
#include <string>
#include <vector>

namespace trovex::results {

// The items of the file; none when it does not exist or cannot be read.
std::vector<std::string> LoadErrorLogList(const std::string& errorLogPath);

// Puts the list in place of the file, only when the file exists. The bytes go to
// a new file beside it, which then replaces the old one in one step: a write cut
// short (a full disk, the power going) leaves the old log whole. True when written.
bool SaveErrorLogList(const std::string& errorLogPath,
                      const std::vector<std::string>& errorLogList);

}  // namespace trovex::results
