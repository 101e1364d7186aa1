#include "results/history_rename.h"

#include <array>
#include <utility>

#include "platform/text/cp932.h"
#include "platform/text/lower_case.h"
#include "search/folder_path.h"

namespace trovex::results {
namespace {

// The characters a file name cannot hold and their full-width stand-ins.
const std::array<std::pair<char, std::string_view>, 11> kReplacements{{
    {'.', "．"},
    {'/', "／"},
    {'"', "”"},
    {':', "："},
    {';', "；"},
    {'*', "＊"},
    {'<', "＜"},
    {'>', "＞"},
    {'?', "？"},
    {'\\', "￥"},
    {'|', "｜"},
}};

// Replaces every single-byte `from`; the whole text is walked by characters, so a
// byte of that value inside a double-byte character is passed over, and the
// ones after it are still replaced.
std::string ReplaceCharacter(std::string_view text, char from, std::string_view to) {
  std::string replaced;
  replaced.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = text::Cp932CharLength(text, pos);
    if (length == 1 && text[pos] == from) {
      replaced += to;
    } else {
      replaced.append(text, pos, length);
    }
    pos += length;
  }
  return replaced;
}

}  // namespace

std::string WithoutTrailingExtension(std::string_view text) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = text::Cp932CharLength(text, pos);
    if (length == 1) {
      if (text[pos] == '.')
        dot = pos;
      else if (text[pos] == '\\' || text[pos] == ':')
        dot = std::string_view::npos;
    }
    pos += length;
  }
  return std::string(dot == std::string_view::npos ? text : text.substr(0, dot));
}

std::string ReplaceFileNameCharacters(std::string_view text) {
  std::string replaced(text);
  for (const auto& [from, to] : kReplacements) replaced = ReplaceCharacter(replaced, from, to);
  return replaced;
}

std::string RenamedBase(std::string_view text) {
  return ReplaceFileNameCharacters(WithoutTrailingExtension(text));
}

bool SameCaptionIgnoringCase(std::string_view text, std::string_view caption) {
  return text::AnsiLowerCase(text) == text::AnsiLowerCase(caption);
}

std::string RenamedHistoryPath(std::string_view path, std::string_view base) {
  std::string renamed(search::FolderPart(path));
  renamed += base;
  renamed += ".txd";
  return renamed;
}

}  // namespace trovex::results
