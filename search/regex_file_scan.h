#pragma once
// Searches one file for a regular expression: its bytes read front to back and
// matched line by line in each encoding the query looks in (see regex_lines.h).
#include <atomic>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fs/sequential_reader.h"
#include "search/file_scan.h"
#include "search/regex_lines.h"
#include "search/search_query.h"

namespace trovex::search {

// The encodings searched in a file, from its first read: a byte order mark's
// encoding alone; text without a zero byte is not UTF-16 (whose every ASCII
// character has one), so UTF-16 is left out unless it is all that is searched.
EncodingSet RegexEncodingsForFile(EncodingSet encodings, std::string_view firstRead);

// The bytes of a file's first read, which decide its encodings.
inline constexpr std::size_t kRegexFirstReadBytes = std::size_t{512} * 1024;

// The encoding of the match the file scan found at `position`: `window` holds the
// file's bytes from `windowOffset` on, the start of the line of `position` among
// them, and `fileStart` its first bytes (they narrow the encodings as the scan's
// first read did). Nothing when no encoding's match starts there.
std::optional<TextEncoding> RegexEncodingAt(const RegexSet& regex, std::string_view fileStart,
                                            std::string_view window, std::uint64_t windowOffset,
                                            std::uint64_t position);

// The same read from the file at `path`: its line around `position` and its start.
// Nothing also when the file cannot be read.
std::optional<TextEncoding> RegexEncodingInFile(const RegexSet& regex, const std::string& path,
                                                std::uint64_t position);

// The first match in the file, or nothing: no match, an unreadable file, `cancel`
// found set before a read, or a match the library's limits refused.
std::optional<RegexHit> ScanFileRegex(const std::string& path, const RegexSet& regex,
                                      ScanState& state, const std::atomic<bool>& cancel,
                                      const fs::ListedFile& listed = {});

}  // namespace trovex::search
