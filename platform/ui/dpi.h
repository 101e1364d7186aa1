#pragma once
// Screen resolution. Windows are laid out in design units, pixels at 96 DPI, and
// drawn in device pixels at the DPI of the monitor they are on. The per-monitor
// calls are looked up at run time: older systems lack them and fall back to the
// system DPI.
#include <windows.h>

namespace trovex::ui {

inline constexpr int kDesignDpi = 96;

// The DPI a window is drawn at (the system DPI where windows have no DPI of their own).
int WindowDpi(HWND hwnd);
// The DPI of the screen as a whole.
int SystemDpi();

// Design units to device pixels at `dpi`, rounded to the nearest pixel.
inline int ScaleToDpi(int value, int dpi) { return MulDiv(value, dpi, kDesignDpi); }
// Device pixels at `dpi` to design units, rounded to the nearest unit.
inline int ScaleFromDpi(int value, int dpi) { return MulDiv(value, kDesignDpi, dpi); }

// AdjustWindowRectEx for a window at `dpi` (its frame and menu bar drawn at that DPI).
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

}  // namespace trovex::ui
