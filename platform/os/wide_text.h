#pragma once
// CP932 <-> UTF-16 for the wide Windows calls. The program's texts are CP932;
// only the platform layer turns them into wide strings and back.
#include <string>
#include <string_view>

namespace trovex::os {

// Decodes CP932 text. Bytes that are no valid CP932 character become U+FFFD, so a
// window always shows something and a bad path never names another file.
std::wstring Widen(std::string_view cp932);

// Encodes UTF-16 text as CP932; characters CP932 cannot hold become "?".
std::string Narrow(std::wstring_view wide);

}  // namespace trovex::os
