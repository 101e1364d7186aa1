#include "results/hit_row_builder.h"

#include "platform/shell/com_thread.h"
#include "platform/shell/shell_services.h"
#include "search/hit_line.h"

namespace trovex::results {

HitRowBuilder::HitRowBuilder(std::mutex* shellLock)
    : shellAnswers_([shellLock](const std::string& path) {
        std::unique_lock<std::mutex> lock;
        if (shellLock) lock = std::unique_lock<std::mutex>(*shellLock);
        const shell::FileInfo info =
            shell::Services().fileInfo->Query(path, shell::UnknownPathAs::Nothing);
        return ShellAnswer{info.displayName, info.typeName, info.iconIndex};
      }) {}

HitRecord HitRowBuilder::Build(const std::string& hitLine, const SnippetInputs& snippet) {
  search::HitLineParts parts;
  if (auto split = search::SplitHitLine(hitLine))
    parts = std::move(*split);
  else
    parts.path = hitLine;
  const std::optional<fs::FileFacts> facts = fs::LookUpFile(parts.path);
  // The shell knows nothing of a file that is gone.
  const ShellAnswer shell = facts ? shellAnswers_.For(parts.path) : ShellAnswer{};
  std::string content = facts ? RowSnippet(parts.path, parts.offsetText, snippet) : std::string();
  return MakeHitRecord(std::move(parts.path), std::move(parts.offsetText), shell, facts,
                       std::move(content));
}

namespace {

class ShellRowMaker : public RowMaker {
 public:
  explicit ShellRowMaker(std::mutex& shellLock) : builder_(&shellLock) {}
  HitRecord Build(const std::string& hitLine, const SnippetInputs& snippet) override {
    return builder_.Build(hitLine, snippet);
  }

 private:
  shell::ComScope com_;  // the shell's file information wants COM on its thread
  HitRowBuilder builder_;
};

}  // namespace

std::unique_ptr<RowMaker> MakeShellRowMaker(std::mutex& shellLock) {
  return std::make_unique<ShellRowMaker>(shellLock);
}

std::string RowSnippet(const std::string& path, const std::string& offsetText,
                       const SnippetInputs& snippet) {
  const std::int64_t offset = OffsetValue(offsetText);
  if (offset < 0) return std::string();
  return MakeSnippet(path, offset, snippet);
}

}  // namespace trovex::results
