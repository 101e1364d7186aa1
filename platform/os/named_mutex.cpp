#include "platform/os/named_mutex.h"

#include <windows.h>

#include "platform/os/wide_text.h"

namespace trovex::os {

bool NamedMutexExists(const std::string& name) {
  std::wstring wide = Widen(name);
  HANDLE existing = OpenMutexW(SYNCHRONIZE, FALSE, wide.c_str());
  if (!existing) return false;
  CloseHandle(existing);
  return true;
}

NamedMutex::~NamedMutex() {
  if (handle_) CloseHandle(handle_);
}

bool NamedMutex::Create(const std::string& name) {
  std::wstring wide = Widen(name);
  handle_ = CreateMutexW(nullptr, TRUE, wide.c_str());
  alreadyExisted_ = handle_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  return handle_ != nullptr;
}

bool NamedMutex::Release() { return handle_ && ReleaseMutex(handle_); }

bool NamedMutex::Close() {
  if (!handle_) return false;
  bool ok = CloseHandle(handle_) != 0;
  handle_ = nullptr;
  return ok;
}

}  // namespace trovex::os
