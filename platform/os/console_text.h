#pragma once
// Text at the edges of a console program: its arguments and its messages.
// The program works in CP932; the console speaks the platform's encoding.
#include <cstdio>
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

// How the console program's lines are written.
//   kAutomatic  POSIX: UTF-8. Windows: UTF-16 to a console window (any code page
//               shows Japanese), CP932 bytes to a file or a pipe.
//   kUtf8       UTF-8 bytes, wherever the stream goes.
//   kCp932      CP932 bytes, wherever the stream goes.
enum class OutputEncoding { kAutomatic, kUtf8, kCp932 };

// A CP932 text made part of a line for WriteConsoleLine. POSIX: UTF-8 (kCp932:
// unchanged), where a byte that starts no character becomes U+FFFD and the rest
// stays readable. Windows: unchanged; WriteConsoleLine converts whole lines there.
std::string Cp932ForConsole(std::string_view message,
                            OutputEncoding encoding = OutputEncoding::kAutomatic);

// Writes `line` and `lineEnd` (a line break; a NUL for lines that may hold one) to
// `stream` in `encoding`. The line is in the platform's own text: POSIX: as the
// file names and Cp932ForConsole give it, written unchanged. Windows: CP932,
// converted as `encoding` says.
void WriteConsoleLine(std::FILE* stream, std::string_view line, OutputEncoding encoding,
                      char lineEnd = '\n');

}  // namespace trovex::os
