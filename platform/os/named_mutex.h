#pragma once
// A named mutex serves as the per-session single-instance lock.
#include <string>

namespace trovex::os {

// True when a mutex of this name exists (opened with SYNCHRONIZE, not inheritable).
bool NamedMutexExists(const std::string& name);

class NamedMutex {
 public:
  NamedMutex() = default;
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // Creates the mutex, initially owned by the calling thread. False on failure.
  // When the mutex existed already, Create opens it without owning it and
  // AlreadyExisted tells so.
  bool Create(const std::string& name);
  bool AlreadyExisted() const { return alreadyExisted_; }
  // ReleaseMutex on the handle; false when it fails (also when there is no handle).
  bool Release();
  // CloseHandle on the handle; false when it fails (also when there is no handle).
  bool Close();

 private:
  void* handle_ = nullptr;
  bool alreadyExisted_ = false;
};

}  // namespace trovex::os
