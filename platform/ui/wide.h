#pragma once
// CP932 <-> UTF-16 for the window library: every text a window shows or returns is a
// CP932 std::string; the Win32 calls take the wide forms.
#include <string>
#include <string_view>

namespace trovex::ui {

// Decodes CP932 text. Bytes that are no valid CP932 character become U+FFFD so that
// a window always shows something rather than nothing.
std::wstring Widen(std::string_view cp932);

// Encodes UTF-16 text as CP932; characters CP932 cannot hold become "?".
std::string Narrow(std::wstring_view wide);

}  // namespace trovex::ui
