#include "results/hit_row_builder.h"

#include "platform/shell/com_thread.h"
#include "platform/shell/shell_services.h"

namespace trovex::results {

HitRowBuilder::HitRowBuilder(std::mutex* shellLock)
    : shellAnswers_([shellLock](const std::string& path) {
        std::unique_lock<std::mutex> lock;
        if (shellLock) lock = std::unique_lock<std::mutex>(*shellLock);
        const os_shell::FileInfo info =
            os_shell::Services().fileInfo->Query(path, os_shell::UnknownPathAs::Nothing);
        return ShellAnswer{info.displayName, info.typeName, info.iconIndex};
      }) {}

HitRecord HitRowBuilder::Build(const search::Hit& hit) {
  const std::optional<fs::FileFacts> facts = fs::LookUpFile(hit.path);
  // The shell knows nothing of a file that is gone, and it has no snippet.
  const ShellAnswer shell = facts ? shellAnswers_.For(hit.path) : ShellAnswer{};
  HitRecord row = MakeHitRecord(hit, shell, facts, std::string());
  row.contentDue = facts && !hit.mismatched;
  return row;
}

namespace {

class ShellRowMaker : public RowMaker {
 public:
  explicit ShellRowMaker(std::mutex& shellLock) : builder_(&shellLock) {}
  HitRecord Build(const search::Hit& hit) override { return builder_.Build(hit); }

 private:
  os_shell::ComScope com_;  // the shell's file information wants COM on its thread
  HitRowBuilder builder_;
};

}  // namespace

std::unique_ptr<RowMaker> MakeShellRowMaker(std::mutex& shellLock) {
  return std::make_unique<ShellRowMaker>(shellLock);
}

}  // namespace trovex::results
