#include "results/contained_snippet.h"

#include <algorithm>

namespace trovex::results {
namespace {

// Follows the parts to the one that holds the offset, then takes its bytes.
class HitFinder final : public search::ContainedSink {
 public:
  HitFinder(std::uint64_t offset, std::size_t count) : offset_(offset), count_(count) {}

  bool BeginPart(const search::ContainedPart& part) override {
    part_ = part;
    partBytes_ = 0;
    window_.clear();
    return true;
  }
  bool Piece(std::string_view bytes) override {
    const std::uint64_t start = partStart_ + partBytes_;
    partBytes_ += bytes.size();
    const std::uint64_t end = start + bytes.size();
    const std::uint64_t from =
        offset_ - std::min<std::uint64_t>(offset_, search::BufferMatcher::kLookBackBytes);
    if (end <= from) return true;
    const std::uint64_t windowFrom = std::max(from, partStart_);
    if (start < windowFrom) bytes.remove_prefix(static_cast<std::size_t>(windowFrom - start));
    if (window_.empty()) windowStart_ = std::max(start, windowFrom);
    window_.append(bytes);
    if (windowStart_ + window_.size() < offset_ + count_) return true;
    return Take();
  }
  bool EndPart() override {
    if (partStart_ + partBytes_ > offset_) return Take();
    partStart_ += partBytes_;
    return true;
  }
  std::optional<ContainedHit> hit;

 private:
  bool Take() {
    if (offset_ < windowStart_) return false;
    ContainedHit found;
    found.part = part_;
    const std::size_t at = static_cast<std::size_t>(offset_ - windowStart_);
    found.before = window_.substr(0, std::min(at, window_.size()));
    if (at < window_.size()) found.bytes = window_.substr(at, count_);
    hit = std::move(found);
    return false;
  }

  std::uint64_t offset_;
  std::size_t count_;
  search::ContainedPart part_;
  std::uint64_t partStart_ = 0;
  std::uint64_t partBytes_ = 0;
  std::string window_;
  std::uint64_t windowStart_ = 0;
};

}  // namespace

std::optional<ContainedHit> FindContainedHit(const std::string& path, std::uint64_t offset,
                                             std::size_t count) {
  const search::ContainerKind kind = search::ContainerKindOf(path);
  if (kind == search::ContainerKind::None) return std::nullopt;
  HitFinder finder(offset, count);
  const search::ContainedRead read = search::ReadContainedText(path, kind, finder, nullptr);
  if (read.end == search::ContainedEnd::NotContained) return std::nullopt;
  return std::move(finder.hit);
}

std::string ContainedPrefix(const search::ContainedPart& part) {
  return part.name.empty() ? std::string() : "[" + part.name + "] ";
}

}  // namespace trovex::results
