#include "startup_test_support.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include "app/app_identity.h"

namespace startup_test {
namespace {

std::wstring SettingsKeyPath() {
  std::wstring path = trovex::os::Widen(trovex::app::kSettingsKey);
  return path.substr(1);  // without the leading "\"
}

void DeleteTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = folder + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteTree(full + L"\\");
      else
        DeleteFileW(full.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempDir::TempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  std::wstring path = std::wstring(base) + L"trovex_startup_" +
                      std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter) +
                      L"\\";
  CreateDirectoryW(path.c_str(), nullptr);
  path_ = trovex::os::Narrow(path);
}

TempDir::~TempDir() { DeleteTree(trovex::os::Widen(path_)); }

SettingsKeyGuard::SettingsKeyGuard() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKeyPath().c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return;
  existed_ = true;
  for (DWORD i = 0;; ++i) {
    wchar_t name[512];
    DWORD nameLength = 512, type = 0, size = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      break;
    Value value{std::wstring(name, nameLength), type, std::vector<BYTE>(size)};
    RegQueryValueExW(key, value.name.c_str(), nullptr, &type, value.data.data(), &size);
    values_.push_back(value);
  }
  RegCloseKey(key);
}

SettingsKeyGuard::~SettingsKeyGuard() {
  DeleteKey();
  if (!existed_) return;
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKeyPath().c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const Value& value : values_)
    RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
  RegCloseKey(key);
}

void SettingsKeyGuard::DeleteKey() { RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKeyPath().c_str()); }

void SettingsKeyGuard::CreateEmptyKey() {
  DeleteKey();
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKeyPath().c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) == ERROR_SUCCESS)
    RegCloseKey(key);
}

LRESULT CALLBACK FakeViewer::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
    EXPECT_EQ(data->dwData, 0u);
    received.assign(static_cast<const char*>(data->lpData), data->cbData);
    sender = wParam;
    return 1;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

FakeViewer::FakeViewer() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TVemkoHelpDlg";
  RegisterClassW(&windowClass);
  owner = CreateWindowExW(0, L"STATIC", L"viewer owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                          nullptr, nullptr, nullptr, nullptr);
  window = CreateWindowExW(0, L"TVemkoHelpDlg", L"Help", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, owner,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  received.clear();
  sender = 0;
}

FakeViewer::~FakeViewer() {
  DestroyWindow(window);
  DestroyWindow(owner);
  UnregisterClassW(L"TVemkoHelpDlg", GetModuleHandleW(nullptr));
}

void WriteFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(trovex::os::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadFile(const std::string& path) {
  HANDLE file =
      CreateFileW(trovex::os::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(trovex::os::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TestExeDir() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return trovex::os::Narrow(dir.substr(0, dir.find_last_of(L'\\') + 1));
}

int RunProgram(const std::string& exePath, const std::string& arguments, DWORD timeoutMs) {
  std::wstring commandLine =
      L"\"" + trovex::os::Widen(exePath) + L"\" " + trovex::os::Widen(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace startup_test
