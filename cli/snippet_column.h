#pragma once
// The snippet column of trovex-find --snippet: the hit snippet of each hit line,
// after a tab, in the console's encoding and kept on one line.
#include <string>
#include <string_view>

#include "platform/os/console_text.h"
#include "results/hit_snippet.h"

namespace trovex::cli {

// A CP932 snippet for the console: control characters become spaces, so the
// snippet stays on its line, then the text is converted for the console
// (os::Cp932ForConsole: a character cut off at the snippet's end does not spoil the rest).
std::string SnippetForConsole(std::string_view cp932,
                              os::OutputEncoding encoding = os::OutputEncoding::kAutomatic);

// The hit line followed by a tab and its snippet for the console.
std::string HitLineWithSnippet(const std::string& hitLine, const results::SnippetInputs& inputs,
                               os::OutputEncoding encoding = os::OutputEncoding::kAutomatic);
// The same for a hit at hand: its snippet from the bytes its scan kept, if any.
std::string HitLineWithSnippet(const search::Hit& hit, const results::SnippetInputs& inputs,
                               os::OutputEncoding encoding = os::OutputEncoding::kAutomatic);

}  // namespace trovex::cli
