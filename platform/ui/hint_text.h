#pragma once
// A control's hint has a short part (the tooltip) and a long part (the status line),
// written "short|long". Without "|" both parts are the whole hint.
#include <string>
#include <string_view>

namespace trovex::ui {

// Text before the first "|" that is a character of its own (a CP932 trail byte 0x7C,
// as in "ポ", is not a separator); the whole hint when there is none.
std::string ShortHint(std::string_view hint);

// Text after that "|"; the whole hint when there is none.
std::string LongHint(std::string_view hint);

}  // namespace trovex::ui
