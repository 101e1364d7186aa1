#include "results/hit_row_builder.h"

#include "platform/shell/shell_services.h"
#include "search/hit_line.h"

namespace trovex::results {

HitRecord BuildHitRecord(const std::string& hitLine, const SnippetInputs& snippet) {
  search::HitLineParts parts;
  if (auto split = search::SplitHitLine(hitLine)) parts = std::move(*split);
  else parts.path = hitLine;
  const shell::FileInfo info = shell::Services().fileInfo->Query(parts.path, shell::UnknownPathAs::Nothing);
  const std::optional<fs::FileFacts> facts = fs::LookUpFile(parts.path);
  std::string content = facts ? RowSnippet(parts.path, parts.offsetText, snippet) : std::string();
  return MakeHitRecord(std::move(parts.path), std::move(parts.offsetText),
                       {info.displayName, info.typeName, info.iconIndex}, facts, std::move(content));
}

std::string RowSnippet(const std::string& path, const std::string& offsetText,
                       const SnippetInputs& snippet) {
  const std::int64_t offset = OffsetValue(offsetText);
  if (offset < 0) return std::string();
  return MakeSnippet(path, offset, snippet);
}

}  // namespace trovex::results
