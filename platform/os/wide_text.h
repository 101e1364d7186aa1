#pragma once
// CP932 <-> UTF-16 for the wide Windows calls. The program's texts are CP932;
// only the platform layer turns them into wide strings and back.
#include <string>
#include <string_view>

namespace trovex::os {

std::wstring Widen(std::string_view cp932);
std::string Narrow(std::wstring_view wide);

}  // namespace trovex::os
