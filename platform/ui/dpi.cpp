#include "platform/ui/dpi.h"

namespace trovex::ui {
namespace {

FARPROC User32Proc(const char* name) {
  static HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
}

template <class F>
F Proc(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(User32Proc(name)));
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = Proc<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && hwnd != nullptr) {
    if (const UINT dpi = getDpiForWindow(hwnd); dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = Proc<AdjustFn>("AdjustWindowRectExForDpi");
  if (adjust != nullptr &&
      adjust(&rect, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE) {
    return;
  }
  AdjustWindowRectEx(&rect, style, menu ? TRUE : FALSE, exStyle);
}

}  // namespace trovex::ui
