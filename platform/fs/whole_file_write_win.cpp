#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/fs/whole_file_write.h"
#include "platform/fs/wide_path.h"

namespace trovex::fs {
namespace {

// Writes the bytes to a fresh file named after `path` in the same folder (a move
// within one volume is one step) and returns its wide name; empty on failure,
// when nothing stays behind.
std::wstring WriteBeside(const std::wstring& path, std::string_view bytes) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring temporary =
        path + L".new" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return {};
    }
    bool written = true;
    for (std::size_t done = 0; written && done < bytes.size();) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
      DWORD put = 0;
      written = WriteFile(file, bytes.data() + done, chunk, &put, nullptr) && put == chunk;
      done += put;
    }
    written = FlushFileBuffers(file) && written;
    if (!CloseHandle(file) || !written) {
      DeleteFileW(temporary.c_str());
      return {};
    }
    return temporary;
  }
  return {};
}

bool CreateWideFolders(std::wstring wide) {
  while (!wide.empty() && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
  if (wide.empty()) return false;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::size_t cut = wide.find_last_of(L"\\/");
  // A drive root ("C:") or a bare name has no parent to make.
  if (cut != std::wstring::npos && cut > 0 && wide[cut - 1] != L':' && wide[cut - 1] != L'\\') {
    if (!CreateWideFolders(wide.substr(0, cut))) return false;
  }
  return CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  const std::optional<std::wstring> wide = WidePath(path);
  if (!wide) return false;
  const std::wstring temporary = WriteBeside(*wide, bytes);
  if (temporary.empty()) return false;
  if (!MoveFileExW(temporary.c_str(), wide->c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

NewFileOutcome WriteNewWholeFile(const std::string& path, std::string_view bytes) {
  const std::optional<std::wstring> wide = WidePath(path);
  if (!wide) return NewFileOutcome::Failed;
  if (GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES)
    return NewFileOutcome::AlreadyExists;
  const std::wstring temporary = WriteBeside(*wide, bytes);
  if (temporary.empty()) return NewFileOutcome::Failed;
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken, so a
  // file made meanwhile survives.
  if (MoveFileExW(temporary.c_str(), wide->c_str(), MOVEFILE_WRITE_THROUGH))
    return NewFileOutcome::Written;
  const DWORD error = GetLastError();
  DeleteFileW(temporary.c_str());
  return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? NewFileOutcome::AlreadyExists
                                                                     : NewFileOutcome::Failed;
}

bool CreateFolderPath(const std::string& path) {
  const std::optional<std::wstring> wide = WidePath(path);
  return wide && CreateWideFolders(*wide);
}

}  // namespace trovex::fs
