#pragma once
// Text at the edges of a console program: its arguments and its messages.
// The program works in CP932; the console speaks the platform's encoding.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trovex::os {

// The program's arguments after its name. Windows: the wide command line converted
// to CP932, nullopt when a character has no CP932 form. POSIX: argv as given.
std::optional<std::vector<std::string>> ProgramArguments(int argc, char** argv);

// A typed text as CP932. POSIX: converted from UTF-8, nullopt when it is not valid
// UTF-8 or holds a character CP932 lacks. Windows: already CP932, unchanged.
std::optional<std::string> TypedTextToCp932(std::string_view text);

// A CP932 message as the console shows it. POSIX: UTF-8 (bytes that are not valid
// CP932 pass unchanged). Windows: unchanged.
std::string Cp932ForConsole(std::string_view message);

}  // namespace trovex::os
