#pragma once
// A fresh temporary folder for the shell service tests, removed afterwards. Names
// are CP932 and may be Japanese: files are made through the wide calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/os/wide_text.h"

namespace trovex::testing {

class ShellTestFolder {
 public:
  ShellTestFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    for (unsigned n = GetTickCount();; ++n) {
      root_ = os::Narrow(temp) + "trovex-shell-" + std::to_string(n);
      if (CreateDirectoryW(os::Widen(root_).c_str(), nullptr)) break;
      if (GetLastError() != ERROR_ALREADY_EXISTS) {
        ADD_FAILURE() << "no temporary folder " << root_;
        break;
      }
    }
  }
  ~ShellTestFolder() { Remove(root_); }
  ShellTestFolder(const ShellTestFolder&) = delete;
  ShellTestFolder& operator=(const ShellTestFolder&) = delete;

  // No trailing "\".
  const std::string& Root() const { return root_; }
  std::string PathOf(const std::string& name) const { return root_ + "\\" + name; }

  std::string File(const std::string& name, const std::string& contents = "x") const {
    const std::string path = PathOf(name);
    HANDLE file = CreateFileW(os::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  }

  std::string Folder(const std::string& name, DWORD extraAttributes = 0) const {
    const std::string path = PathOf(name);
    EXPECT_TRUE(CreateDirectoryW(os::Widen(path).c_str(), nullptr)) << path;
    if (extraAttributes)
      SetFileAttributesW(os::Widen(path).c_str(), FILE_ATTRIBUTE_DIRECTORY | extraAttributes);
    return path;
  }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(os::Widen(folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::string path = folder + "\\" + os::Narrow(name);
        SetFileAttributesW(os::Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(path);
        else
          DeleteFileW(os::Widen(path).c_str());
      } while (FindNextFileW(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryW(os::Widen(folder).c_str());
  }

  std::string root_;
};

}  // namespace trovex::testing
