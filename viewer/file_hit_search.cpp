#include "viewer/file_hit_search.h"

#include <algorithm>

#include "search/contained_scan.h"
#include "search/file_scan.h"
#include "search/file_start.h"
#include "search/regex_file_scan.h"

namespace trovex::viewer {
namespace {

constexpr std::size_t kFileStartBytes = 4096;
// How far back a pattern's search looks for the start of the line it starts in.
constexpr std::uint64_t kLineStartLookBack = 64 * 1024;

}  // namespace

FileHitSearch::FileHitSearch(const search::ByteSource& file, const std::string& path,
                             const search::SearchQuery& query, const search::MatchOptions& options,
                             bool containedText)
    : file_(file) {
  // A pattern searches the file's own bytes, in the encodings its first read allows.
  if (query.regex && !containedText) {
    regex_ = query.regex;
    std::string start(std::min<std::uint64_t>(file.Size(), search::kRegexFirstReadBytes), '\0');
    const auto got = file.ReadAt(0, start.data(), start.size());
    start.resize(got ? *got : 0);
    regexEncodings_ = search::RegexEncodingsForFile(regex_->Encodings(), start);
    return;
  }
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
  if (regex_) StartRegex(from);
}

void FileHitSearch::StartRegex(std::uint64_t from) {
  // The line `from` is in starts after the last line feed before it, so that ^ and
  // look-behind see that line as the file scan does.
  std::uint64_t lineStart = from;
  const std::uint64_t back = std::min(from, kLineStartLookBack);
  buffer_.resize(static_cast<std::size_t>(back));
  if (const auto got = file_.ReadAt(from - back, buffer_.data(), buffer_.size());
      got && *got == back) {
    const std::size_t feed = buffer_.rfind('\n');
    if (feed != std::string::npos)
      lineStart = from - back + feed + 1;
    else if (back == from)
      lineStart = 0;
  }
  regexScanner_.emplace(*regex_, regexEncodings_, lineStart, from);
  regexRead_ = lineStart;
}

FileHitSearch::Outcome FileHitSearch::RegexOutcome(const std::optional<search::RegexHit>& hit) {
  if (!hit || hit->offset >= end_) return Outcome::NotFound;
  hit_ = {hit->offset, hit->length, hit->encoding};
  return Outcome::Found;
}

// A chunk fed to the pattern's line scanner; past the search's end only the rest of
// the line a hit may start in.
FileHitSearch::Outcome FileHitSearch::StepRegex() {
  if (pending_ >= end_ || regexScanner_->Done()) return Outcome::NotFound;
  const std::uint64_t size = file_.Size();
  buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size - regexRead_, kChunkBytes)));
  const auto got = file_.ReadAt(regexRead_, buffer_.data(), buffer_.size());
  if (!got) return Outcome::ReadFailed;
  std::string_view piece(buffer_.data(), *got);
  bool last = *got < buffer_.size() || regexRead_ + *got >= size;
  if (regexRead_ + piece.size() > end_) {
    const std::size_t past = static_cast<std::size_t>(std::max(end_, regexRead_) - regexRead_);
    const std::size_t feed = piece.find('\n', past);
    if (feed != std::string_view::npos) {
      // Two bytes: a UTF-16 line feed is 0A 00.
      piece = piece.substr(0, std::min(piece.size(), feed + 2));
      last = true;
    }
  }
  regexRead_ += piece.size();
  if (auto hit = regexScanner_->Feed(piece)) return RegexOutcome(hit);
  if (regexScanner_->Done()) return Outcome::NotFound;
  if (last) return RegexOutcome(regexScanner_->Finish());
  pending_ = std::min(regexRead_, end_);
  return Outcome::Searching;
}

FileHitSearch::Outcome FileHitSearch::Step() {
  if (regex_) return StepRegex();
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
