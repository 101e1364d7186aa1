#include "search/contained_scan.h"

#include "platform/fs/system_error.h"
#include "search/stream_matcher.h"

namespace trovex::search {
namespace {

class MatchingSink final : public ContainedSink {
 public:
  MatchingSink(const SearchQuery& query, const MatchOptions& options, ScanState& state)
      : query_(query), options_(options), state_(state) {}

  bool BeginPart(const ContainedPart& part) override {
    stream_.emplace(PreparedMatcher(PatternsForPart(part, query_), options_, state_));
    return true;
  }
  bool Piece(std::string_view bytes) override {
    if (auto hit = stream_->Feed(bytes)) return Found(*hit);
    return true;
  }
  bool EndPart() override {
    if (auto hit = stream_->Finish()) return Found(*hit);
    partStart_ += stream_->Length();
    return true;
  }
  // The limit on text may end the reading inside a part.
  void EndUnfinishedPart() {
    if (stream_ && !hit_)
      if (auto hit = stream_->Finish()) Found(*hit);
  }
  const std::optional<std::uint64_t>& hit() const { return hit_; }

 private:
  bool Found(std::uint64_t offset) {
    hit_ = partStart_ + offset;
    return false;
  }

  const SearchQuery& query_;
  const MatchOptions& options_;
  ScanState& state_;
  std::optional<StreamMatcher> stream_;
  std::uint64_t partStart_ = 0;
  std::optional<std::uint64_t> hit_;
};

}  // namespace

MatchPatterns PatternsForPart(const ContainedPart& part, const SearchQuery& query) {
  MatchPatterns patterns =
      PatternsForFile(part.extractedText ? std::string() : part.typeName, query);
  patterns.fileStart.reset();
  return patterns;
}

ContainedScan ScanContained(const std::string& path, ContainerKind kind, const SearchQuery& query,
                            const MatchOptions& options, ScanState& state,
                            const std::atomic<bool>& cancel) {
  ContainedScan scan;
  MatchingSink sink(query, options, state);
  const ContainedRead read = ReadContainedText(path, kind, sink, &cancel);
  switch (read.end) {
    case ContainedEnd::NotContained:
      return scan;
    case ContainedEnd::Complete:
      sink.EndUnfinishedPart();
      break;
    case ContainedEnd::Damaged:
      if (state.fileFailure) state.fileFailure(path, fs::DamagedDataError());
      scan.searched = true;
      return scan;
    case ContainedEnd::Stopped:
    case ContainedEnd::Cancelled:
      break;
  }
  scan.searched = true;
  scan.hit = sink.hit();
  if (!scan.hit && read.skippedEntries && read.end == ContainedEnd::Complete && state.fileFailure)
    state.fileFailure(path, fs::DamagedDataError());
  return scan;
}

}  // namespace trovex::search
