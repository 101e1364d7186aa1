// Stands in for the help viewer in the tests: records the parameters it was
// started with in "received.txt" beside itself, opens a top-level window of the
// viewer's class and appends every WM_COPYDATA text it receives to "copydata.txt".
// It ends on WM_CLOSE, or by itself after 20 seconds.
#include <windows.h>

#include <string>

namespace {

std::wstring g_folder;

void AppendBytes(const wchar_t* fileName, const void* bytes, DWORD size) {
  HANDLE file = CreateFileW((g_folder + fileName).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes, size, &written, nullptr);
  CloseHandle(file);
}

// The command line after the program's own name.
std::wstring Parameters() {
  const wchar_t* p = GetCommandLineW();
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
    AppendBytes(L"copydata.txt", data->lpData, data->cbData);
    AppendBytes(L"copydata.txt", "\n", 1);
    return 1;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  g_folder.assign(path, n);
  g_folder.resize(g_folder.find_last_of(L'\\') + 1);

  std::wstring parameters = Parameters();
  char bytes[4096];
  int length = WideCharToMultiByte(932, 0, parameters.c_str(), static_cast<int>(parameters.size()),
                                   bytes, sizeof bytes, nullptr, nullptr);
  AppendBytes(L"received.txt", bytes, static_cast<DWORD>(length));

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ViewerProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"TVemkoHelpDlg";
  RegisterClassW(&windowClass);
  CreateWindowExW(0, L"TVemkoHelpDlg", L"Help", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                  nullptr, instance, nullptr);
  SetTimer(nullptr, 0, 20000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) break;
    DispatchMessageW(&message);
  }
  return 0;
}
