#pragma once
// The program's two colour schemes: the light one with its tints on screens of 10
// or more bits per pixel, plain colours below that, where the tints would dither.
#include <cstdint>

namespace trovex::results {

inline bool UsesRichColours(int colorDepth) { return colorDepth >= 10; }

// The light tint of the rich scheme (COLORREF of RGB(240, 243, 251)): the odd rows
// of the result and history lists and the result window's text boxes.
constexpr std::uint32_t kRichTint = 0x00FBF3F0;

}  // namespace trovex::results
