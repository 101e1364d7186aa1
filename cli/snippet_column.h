#pragma once
// The snippet column of trovex-find --snippet: the hit snippet of each hit line,
// after a tab, in the console's encoding and kept on one line.
#include <string>
#include <string_view>

#include "results/hit_snippet.h"

namespace trovex::cli {

// A CP932 snippet for the console: control characters become spaces, so the
// snippet stays on its line, then the text is converted for the console.
std::string SnippetForConsole(std::string_view cp932);

// The hit line followed by a tab and its snippet for the console.
std::string HitLineWithSnippet(const std::string& hitLine, const results::SnippetInputs& inputs);

}  // namespace trovex::cli
