#pragma once
// The folders the program works in, derived from its own path and the user name.
// CP932 strings, joined as plain text.
#include <string>
#include <string_view>

namespace trovex::app {

struct AppFolders {
  std::string ProgramDir;     // folder of the executable, ending with "\"
  std::string SharedDataDir;  // ProgramDir + "data\"
  std::string UserDataDir;    // SharedDataDir + user name + "\"
  std::string ErrorLogPath;   // UserDataDir + "errlog.txt"
};

// Up to and including the last "\" (or ":"); a "\" that is the trail byte of a
// double-byte character does not count.
std::string ExtractFilePath(std::string_view path);
// What follows ExtractFilePath.
std::string ExtractFileName(std::string_view path);

AppFolders ComputeAppFolders(std::string_view exePath, std::string_view userName);

}  // namespace trovex::app
