#pragma once
// trovex-find as a function: parses the command line, runs the search with the
// engine of the desktop program and writes the hit lines.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/find_options.h"

namespace trovex::cli {

// Exit status: 0 with hits, 1 without, 2 on a bad command line or content.
enum FindStatus { kFoundHits = 0, kNoHits = 1, kBadInput = 2 };

// Runs trovex-find with the arguments after the program name (in the platform's
// encoding: see platform/os/console_text.h). Hit lines go to `out`, messages to `err`.
int RunFind(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

}  // namespace trovex::cli
