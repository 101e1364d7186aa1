#include "search/name_terms.h"

#include "platform/fs/file_name_case.h"
#include "search/text_helpers.h"

namespace trovex::search {

std::vector<std::string> BuildNameTerms(std::string_view text, bool caseSensitive) {
  std::string trimmed(TrimControlsAndSpaces(text));
  if (trimmed.empty()) return {};
  if (!caseSensitive) trimmed = fs::LowerCaseFileName(trimmed);
  // "/" (0x2F) is never the trail byte of a CP932 character nor part of a UTF-8
  // sequence, so a plain byte split is exact in both encodings.
  std::vector<std::string> terms(1);
  for (const char c : trimmed) {
    if (c == '/') {
      terms.emplace_back();
    } else {
      terms.back() += c;
    }
  }
  return terms;
}

bool NameMatches(const SearchConditions& conditions, std::string_view fileName) {
  if (conditions.nameTerms.empty()) return true;
  const std::string name =
      conditions.nameCaseSensitive ? std::string(fileName) : fs::LowerCaseFileName(fileName);
  bool found = false;
  for (const std::string& term : conditions.nameTerms) {
    if (!term.empty() && name.find(term) != std::string::npos) {
      found = true;
      break;
    }
  }
  return found != conditions.excludeNames;
}

}  // namespace trovex::search
