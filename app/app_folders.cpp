#include "app/app_folders.h"

#include "platform/text/cp932.h"

namespace trovex::app {
namespace {

// Position just after the last path delimiter, walking whole CP932 characters.
std::size_t FileNameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size();) {
    std::size_t length = text::Cp932CharLength(path, i);
    if (length == 1 && (path[i] == '\\' || path[i] == ':')) start = i + 1;
    i += length;
  }
  return start;
}

}  // namespace

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, FileNameStart(path)));
}

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(FileNameStart(path)));
}

AppFolders ComputeAppFolders(std::string_view exePath, std::string_view userName) {
  AppFolders folders;
  folders.ProgramDir = ExtractFilePath(exePath);
  folders.SharedDataDir = folders.ProgramDir + "data\\";
  folders.UserDataDir = folders.SharedDataDir + std::string(userName) + "\\";
  folders.ErrorLogPath = folders.UserDataDir + "errlog.txt";
  return folders;
}

}  // namespace trovex::app
