#include "cli/snippet_column.h"

#include <optional>

#include "platform/os/console_text.h"
#include "search/hit_line.h"

namespace trovex::cli {

std::string SnippetForConsole(std::string_view cp932, os::OutputEncoding encoding) {
  // Trail bytes of CP932 are 0x40 and above, never 0x7F: every byte replaced here
  // is a character of its own.
  std::string text(cp932);
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return os::Cp932ForConsole(text, encoding);
}

std::string HitLineWithSnippet(const std::string& hitLine, const results::SnippetInputs& inputs,
                               os::OutputEncoding encoding) {
  std::string snippet;
  if (const std::optional<search::Hit> hit = search::ParseHitLine(hitLine))
    snippet = results::HitSnippet(*hit, inputs);
  return hitLine + '\t' + SnippetForConsole(snippet, encoding);
}

std::string HitLineWithSnippet(const search::Hit& hit, const results::SnippetInputs& inputs,
                               os::OutputEncoding encoding) {
  return search::FormatHitLine(hit) + '\t' +
         SnippetForConsole(results::HitSnippet(hit, inputs), encoding);
}

}  // namespace trovex::cli
