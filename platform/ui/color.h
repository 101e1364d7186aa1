#pragma once
// Colours: a COLORREF value (0x00BBGGRR), or a system colour written as
// 0x80000000 | COLOR_xxx, resolved when it is used.
#include <cstdint>

namespace trovex::ui {

using Color = std::uint32_t;

constexpr Color clNone = 0x1FFFFFFF;  // no colour of its own: the parent's shows through
constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clBtnFace = 0x80000000u | 15;    // COLOR_BTNFACE
constexpr Color clWindow = 0x80000000u | 5;      // COLOR_WINDOW
constexpr Color clWindowText = 0x80000000u | 8;  // COLOR_WINDOWTEXT
constexpr Color clGrayText = 0x80000000u | 17;   // COLOR_GRAYTEXT
constexpr Color clHighlight = 0x80000000u | 13;  // COLOR_HIGHLIGHT
constexpr Color clHighlightText = 0x80000000u | 14;
constexpr Color clInfoBk = 0x80000000u | 24;  // COLOR_INFOBK

// The COLORREF a colour stands for now.
std::uint32_t ColorToRgb(Color color);

}  // namespace trovex::ui
