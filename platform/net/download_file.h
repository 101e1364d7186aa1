#pragma once
// A file being downloaded into a folder: written under a fresh temporary name
// there, so that neither a file of the final name nor another download is touched
// until it is complete, then renamed to its name (replacing a file of that name) or
// deleted.
#include <cstddef>
#include <string>

namespace trovex::net {

class DownloadFile {
 public:
  DownloadFile() = default;
  ~DownloadFile();  // deletes the temporary file unless it was kept
  DownloadFile(const DownloadFile&) = delete;
  DownloadFile& operator=(const DownloadFile&) = delete;

  // Creates the temporary file in `folder` (CP932, with or without a trailing
  // "\"); false when it cannot be created.
  bool Create(const std::string& folder);
  bool Write(const char* data, std::size_t size);
  // Closes the file and renames it to `name` in the folder; false (the temporary
  // file deleted) when that fails.
  bool Keep(const std::string& name);
  // Closes and deletes the temporary file.
  void Discard();
  const std::string& TemporaryPath() const { return tempPath_; }

 private:
  void CloseHandle();
  void* handle_ = nullptr;
  std::string folder_;
  std::string tempPath_;
};

}  // namespace trovex::net
