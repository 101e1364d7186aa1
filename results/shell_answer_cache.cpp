#include "results/shell_answer_cache.h"

#include <array>

namespace trovex::results {
namespace {

// The extension with its dot, ASCII letters lowered; empty without one. A dot is
// never a trail byte, so the last one is the real one.
std::string LowerExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return std::string();
  std::string extension(fileName.substr(dot));
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

std::string_view WithoutExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

}  // namespace

bool ShellNamesEachFile(std::string_view fileName) {
  static constexpr std::array<std::string_view, 11> kOwnIcons = {
      ".exe", ".ico", ".lnk", ".url", ".pif", ".scr", ".cur", ".ani", ".cpl", ".msc", ".ini"};
  const std::string extension = LowerExtension(fileName);
  for (std::string_view own : kOwnIcons) {
    if (extension == own) return true;
  }
  return false;
}

ShellAnswer ShellAnswerCache::For(const std::string& path) {
  const std::string_view fileName = FileNamePart(path);
  if (ShellNamesEachFile(fileName)) {
    ++queries_;
    return query_(path);
  }
  const std::string key = LowerExtension(fileName);
  auto found = kinds_.find(key);
  if (found == kinds_.end()) {
    ++queries_;
    ShellAnswer answer = query_(path);
    Kind kind;
    kind.typeName = answer.typeName;
    kind.iconIndex = answer.iconIndex;
    kind.known = !answer.displayName.empty() || !answer.typeName.empty();
    kind.hidesExtension = !key.empty() && answer.displayName == WithoutExtension(fileName);
    // Only an answer that names this very file tells how the kind is named.
    if (answer.displayName.empty() || answer.displayName == fileName || kind.hidesExtension)
      kinds_.emplace(key, std::move(kind));
    return answer;
  }
  const Kind& kind = found->second;
  ShellAnswer answer;
  if (!kind.known) return answer;
  answer.displayName = std::string(kind.hidesExtension ? WithoutExtension(fileName) : fileName);
  answer.typeName = kind.typeName;
  answer.iconIndex = kind.iconIndex;
  return answer;
}

}  // namespace trovex::results
