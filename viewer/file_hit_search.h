#pragma once
// The binary view's search: the next hit of the query in the viewed file at or
// after a byte offset, found by the search engine's matcher over chunks read from
// the file. It runs a chunk per step, so that the window answers between steps.
// Only the file's own bytes are compared: a hit never runs past the end of the file
// (a byte list ending in 00 does not match the zeros shown past it). A regular
// expression is matched line by line as the file scan matches it, from the start
// of the line the search starts in.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "search/byte_source.h"
#include "search/buffer_matcher.h"
#include "search/match_options.h"
#include "search/regex_lines.h"
#include "search/search_query.h"

namespace trovex::viewer {

struct FileHit {
  std::uint64_t offset = 0;
  std::size_t length = 0;  // file bytes the match covers (0 for an empty content)
  search::TextEncoding encoding = search::TextEncoding::ShiftJis;  // of the form that matched
};

class FileHitSearch {
 public:
  static constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

  enum class Outcome { Searching, Found, NotFound, ReadFailed };

  // The patterns are the ones the search engine compares with a file of this name
  // (UTF-16 ones for a Word document), narrowed by the file's first bytes; for
  // `containedText` (the text inside a document or archive), the ones it compares
  // with that text.
  FileHitSearch(const search::ByteSource& file, const std::string& path,
                const search::SearchQuery& query, const search::MatchOptions& options,
                bool containedText = false);
  ~FileHitSearch();

  // Starts a search for a hit starting in [from, to) (to is cut to the file size).
  void Start(std::uint64_t from, std::uint64_t to = UINT64_MAX);
  // Searches the next chunk.
  Outcome Step();
  // Steps until the search ends.
  Outcome Run();
  const FileHit& Hit() const { return hit_; }
  // The first offset not yet decided.
  std::uint64_t Position() const { return pending_; }

 private:
  void StartRegex(std::uint64_t from);
  Outcome StepRegex();
  Outcome RegexOutcome(const std::optional<search::RegexHit>& hit);

  const search::ByteSource& file_;
  std::unique_ptr<search::BufferMatcher> matcher_;  // null: nothing to compare
  bool empty_ = false;                              // every offset matches, length 0
  std::string buffer_;
  std::uint64_t pending_ = 0;
  std::uint64_t end_ = 0;
  FileHit hit_;

  std::shared_ptr<const search::RegexSet> regex_;  // null: the query is no pattern
  search::EncodingSet regexEncodings_ = search::EncodingSet::None();
  std::optional<search::RegexLineScanner> regexScanner_;
  std::uint64_t regexRead_ = 0;  // the next byte fed to the scanner
};

}  // namespace trovex::viewer
