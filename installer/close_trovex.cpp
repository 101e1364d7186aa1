// trovex-close.exe [--desktop NAME] [--check-only] [SECONDS]: waits (up to SECONDS,
// default 60) for the main window of a running Trovex.exe (on the desktop NAME, such
// as a Wine virtual desktop, else on this program's own), checks that its
// single-instance mutex is held, closes the window as a user would (WM_CLOSE, so that
// the program saves its settings) and waits for the process to end. --check-only
// stops after the mutex. One line per step on standard output.
// Exit code: 0 closed and ended with code 0 and the mutex released; 1 no main
// window; 2 no mutex while it ran; 3 it did not end; 4 it ended with another code
// or left the mutex behind.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_identity.h"

namespace {

std::wstring FromCp932(const char* text) {
  int length = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
  std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
  if (length > 1) MultiByteToWideChar(932, 0, text, -1, wide.data(), length);
  return wide;
}

bool MutexExists(const std::wstring& name) {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

// The main window: visible, top-level, of the program's form class, captioned with the title.
HWND FindMainWindow(const std::wstring& title) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, L"TrovexForm", title.c_str())) != nullptr) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  if (argc > arg + 1 && std::string(argv[arg]) == "--desktop") {
    // Window searches see the windows of the calling thread's desktop only.
    HDESK desktop = OpenDesktopA(argv[arg + 1], 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (!desktop || !SetThreadDesktop(desktop)) {
      std::printf("trovex-close: cannot use the desktop %s\n", argv[arg + 1]);
      return 1;
    }
    arg += 2;
  }
  const bool checkOnly = argc > arg && std::string(argv[arg]) == "--check-only";
  if (checkOnly) ++arg;
  const DWORD timeoutMs = (argc > arg ? static_cast<DWORD>(std::atoi(argv[arg])) : 60) * 1000;
  const std::wstring title = FromCp932(trovex::app::kAppTitle);

  HWND window = nullptr;
  for (DWORD waited = 0; !(window = FindMainWindow(title)) && waited < timeoutMs; waited += 100)
    Sleep(100);
  if (!window) {
    std::puts("trovex-close: no main window appeared");
    return 1;
  }
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  std::printf("trovex-close: main window of process %lu\n", static_cast<unsigned long>(processId));
  if (!MutexExists(title)) {
    std::puts("trovex-close: the single-instance mutex is missing");
    return 2;
  }
  std::puts("trovex-close: the single-instance mutex is held");
  if (checkOnly) return 0;

  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  PostMessageW(window, WM_CLOSE, 0, 0);
  std::puts("trovex-close: WM_CLOSE sent");
  if (!process || WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) {
    std::puts("trovex-close: the program did not end");
    return 3;
  }
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  std::printf("trovex-close: the program ended with code %lu\n", static_cast<unsigned long>(code));
  if (code != 0) return 4;
  if (MutexExists(title)) {
    std::puts("trovex-close: the mutex is still held");
    return 4;
  }
  return 0;
}
