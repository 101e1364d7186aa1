#pragma once
// Searches one file: reads it in large sector-aligned chunks and reports where
// the first match starts. SearchFile picks the patterns for the file's type.
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/fs/aligned_buffer.h"
#include "platform/fs/sequential_reader.h"
#include "search/buffer_matcher.h"
#include "search/hit.h"
#include "search/match_options.h"
#include "search/search_progress.h"
#include "search/search_query.h"

namespace trovex::search {

// Kept from file to file by whoever scans (one thread at a time): the geometry
// of the last volume, the read buffer and the prepared matcher.
struct ScanState {
  std::string lastFolder;        // folder of the previous file scanned
  std::string lastRoot;          // volume of the previous file scanned
  std::uint32_t sectorSize = 0;  // bytes per sector of that volume
  std::size_t chunkSize = 0;     // sectorSize x 1024
  bool unbuffered = false;       // files of that volume bypass the system cache
  // By default only files of fs::BypassCacheFrom() bytes or more bypass the cache.
  bool readThroughCache = false;  // set by tools: never bypass the system cache
  bool bypassEveryFile = false;   // set by tools: bypass it for every file
  fs::AlignedBuffer buffer;       // carried bytes + chunkSize + sectorSize
  // The last prepared matchers, the latest first: a file's matcher for its name
  // (".doc" files use others) and the one its first read narrows to (a file with
  // a byte order mark, a file without zero bytes) alternate from file to file.
  std::unique_ptr<BufferMatcher> matchers[4];
  // Files that cannot be opened or read (see ReadFailureReport); may be empty.
  ReadFailureReport fileFailure;
  // The bytes at the hit the last SearchFile or ScanFile reported, when it read
  // them as it searched (a file's own bytes, not RTF, a document or a pattern).
  std::shared_ptr<const FoundBytes> found;
};

// The first match in the file at `path` (CP932 on Windows), as a byte offset in
// the file, or for ".rtf" in the text RtfToText reduces the whole file to.
// Nothing for no match, an empty or unreadable file, or when `cancel` is found
// set before a read. `listed`: what the walk knows of the file (see ListedFile).
std::optional<std::uint64_t> ScanFile(const std::string& path, const MatchPatterns& patterns,
                                      const MatchOptions& options, ScanState& state,
                                      const std::atomic<bool>& cancel,
                                      const fs::ListedFile& listed = {});

// ScanFile with the query's patterns: UTF-16LE ones for a ".doc" file when the
// text is not all ASCII letters and digits. The query's mode overrides `options`.
std::optional<std::uint64_t> SearchFile(const std::string& path, const SearchQuery& query,
                                        const MatchOptions& options, ScanState& state,
                                        const std::atomic<bool>& cancel,
                                        const fs::ListedFile& listed = {});

// The matcher for these patterns and options, prepared once and kept in `state`.
const BufferMatcher& PreparedMatcher(const MatchPatterns& patterns, const MatchOptions& options,
                                     ScanState& state);

// The patterns SearchFile compares with a file of this name.
MatchPatterns PatternsForFile(const std::string& path, const SearchQuery& query);

}  // namespace trovex::search
