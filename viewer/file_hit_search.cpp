#include "viewer/file_hit_search.h"

#include <algorithm>

#include "search/contained_scan.h"
#include "search/file_scan.h"
#include "search/file_start.h"

namespace trovex::viewer {
namespace {

constexpr std::size_t kFileStartBytes = 4096;

}  // namespace

FileHitSearch::FileHitSearch(const search::ByteSource& file, const std::string& path,
                             const search::SearchQuery& query, const search::MatchOptions& options,
                             bool containedText)
    : file_(file) {
  search::MatchPatterns patterns =
      containedText ? search::PatternsForPart(search::ContainedPart{"", "", true}, query)
                    : search::PatternsForFile(path, query);
  if (patterns.fileStart) {
    std::string start(kFileStartBytes, '\0');
    if (const auto got = file.ReadAt(0, start.data(), start.size())) {
      start.resize(*got);
      if (auto narrowed = search::PatternsForFileStart(patterns, start))
        patterns = std::move(*narrowed);
    }
  }
  // A content of file-name conditions alone matches everywhere with nothing to show.
  const bool empty = query.pattern.empty();
  if (!empty && search::SearchesAnything(patterns)) {
    search::MatchOptions matching = options;
    matching.mode = query.mode;
    matcher_ = std::make_unique<search::BufferMatcher>(std::move(patterns), matching);
  }
  empty_ = empty;
}

FileHitSearch::~FileHitSearch() = default;

void FileHitSearch::Start(std::uint64_t from, std::uint64_t to) {
  pending_ = from;
  end_ = std::min(to, file_.Size());
  hit_ = {};
}

FileHitSearch::Outcome FileHitSearch::Step() {
  if (pending_ >= end_) return Outcome::NotFound;
  if (empty_) {
    hit_ = {pending_, 0, search::TextEncoding::ShiftJis};
    return Outcome::Found;
  }
  if (!matcher_) return Outcome::NotFound;
  // The chunk's starts are decided with the bytes before them that the boundary
  // tests look at and the bytes after them that a match there could cover.
  const std::uint64_t decidedEnd = std::min<std::uint64_t>(end_, pending_ + kChunkBytes);
  const std::uint64_t readStart =
      pending_ - std::min<std::uint64_t>(pending_, search::BufferMatcher::kLookBackBytes);
  const std::uint64_t readEnd =
      std::min<std::uint64_t>(file_.Size(), decidedEnd + matcher_->MaxSpan() - 1);
  buffer_.resize(static_cast<std::size_t>(readEnd - readStart));
  const auto got = file_.ReadAt(readStart, buffer_.data(), buffer_.size());
  if (!got) return Outcome::ReadFailed;
  buffer_.resize(*got);  // a file that shrank ends where its bytes end
  const std::uint64_t available = readStart + *got;
  const std::uint64_t searchedEnd = std::min(decidedEnd, available);
  if (searchedEnd > pending_) {
    if (const auto found = matcher_->FindFirst(buffer_, pending_ - readStart,
                                               searchedEnd - readStart, readStart)) {
      hit_ = {readStart + found->offset, found->matchedLength, found->encoding};
      return Outcome::Found;
    }
  }
  pending_ = decidedEnd;
  if (available < decidedEnd) pending_ = end_;
  return pending_ >= end_ ? Outcome::NotFound : Outcome::Searching;
}

FileHitSearch::Outcome FileHitSearch::Run() {
  Outcome outcome = Outcome::Searching;
  while ((outcome = Step()) == Outcome::Searching) {
  }
  return outcome;
}

}  // namespace trovex::viewer
