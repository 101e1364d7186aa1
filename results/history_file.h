#pragma once
// The search history file (".txd"): a saved result with its name (履歴名), the
// search contents used on it and its four matching options, in the INI text of
// ini_text.h:
//
//   [<history name>]          the header section
//   Vemko=Ver 1.0
//   list=<content>\@\<content>\@\   (each content followed by "\@\")
//   frg=<option bits>
//   regex=1                   only when the contents are regular expressions
//
//   [<folder>]                one section per folder with hits, in the order the
//   <file name>=<offset>      folders first occur; one entry per hit, the offset
//                             "-1" for a mismatched hit (see hit_line.h)
//
// Older files are plain: the history name on the first line, hit lines after it.
//
// Beyond the older readers, and compatible with them: folder sections split
// their lines at the last "=" and keep lines starting with ";", and a folder
// spelled like the history name gets a section of its own after the header
// instead of being merged into it.
#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/hit.h"
#include "search/search_options.h"

namespace trovex::results {

// The four matching options stored as "frg", and whether the contents are patterns.
enum HistoryOptionBit : int {
  kHistoryCaseSensitive = 1,            // 大文字と小文字を区別
  kHistoryDistinguishWidthAndKana = 2,  // 全角と半角、カタカナとひらがなを区別
  kHistorySkipLineBreaks = 4,           // 改行コードをスキップ
  kHistoryCommaIsContent = 8,           // カンマを検索内容の一部として扱う
  // Not among "frg": written as its own header key "regex=1", which readers that do
  // not know it pass over.
  kHistoryRegex = 16,  // 正規表現
};

int HistoryOptionBits(const search::SearchOptions& options);
// Sets the four options from the bits; every other option stays.
void ApplyHistoryOptionBits(int bits, search::SearchOptions& options);

// The options a loaded result's name is parsed under: `options` with the four
// bits applied and no conversion source, so that the parsed query shows the
// name stored in the file, never a conversion left from the main window.
search::SearchOptions OptionsForLoadedHistory(search::SearchOptions options, int bits);

// How hit paths split into folder and file name.
enum class PathStyle {
  Windows,  // "\" (and ":" before a file name); CP932, a trail byte 0x5C is no separator
  Posix     // "/"; the file system's bytes
};
#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// What a history file holds.
struct HistoryContent {
  std::string name;  // the history name
  std::vector<search::Hit> hits;
  std::vector<std::string> searchContents;  // SearchContentList
  int optionBits = 0;                       // "frg"
};

// The "list" value: each content followed by "\@\", the whole trimmed.
std::string EncodeContentList(const std::vector<std::string>& contents);
// Back to the contents: "\@\" (not starting on a trail byte) ends one, the whole
// is trimmed first; an empty value gives none.
std::vector<std::string> DecodeContentList(std::string_view value);

// The bytes of the history file of `content`.
std::string HistoryFileText(const HistoryContent& content, PathStyle style = kNativePathStyle);

// Reads a history file's bytes, the INI form or the plain one. A folder section's
// name gets the separator before its file names unless it is empty, ends with
// one or names an existing file. Never fails: what cannot be read is dropped, a
// missing or non-numeric "frg" is 0, a missing "list" gives no contents; an
// offset that is no number is 0 (search::ReadHitOffset), and a plain form's line
// without "=" is a hit at 0 on the whole line.
HistoryContent ParseHistoryText(std::string_view bytes, PathStyle style = kNativePathStyle);

// Writes the history file at `path`: a new file beside it replaces the old one in
// one step, so a failure (false) leaves the old file whole.
bool WriteHistoryFile(const std::string& path, const HistoryContent& content);

// The history file at `path`; nullopt when no file can be read there.
std::optional<HistoryContent> LoadHistoryFile(const std::string& path);

struct HistorySummary {
  std::string name;
  std::size_t hitCount = 0;
};
// The name and the number of hits ParseHistoryText finds in `bytes`, without
// making them: a folder section's name is never looked up on the disk.
HistorySummary SummarizeHistoryText(std::string_view bytes, PathStyle style = kNativePathStyle);
// The name and the number of hits of the file at `path`; nullopt as above.
std::optional<HistorySummary> ReadHistorySummary(const std::string& path);

// "yyyymmdd hhnnss.txd" of the local time `when`.
std::string NewHistoryFileName(std::time_t when);

// Saves a new result into `folder` (made when missing) under the name of the
// local time `when`; a name already taken is never replaced: the next free
// second's name is used. Returns the full path written, or nullopt.
std::optional<std::string> SaveNewHistory(const std::string& folder, const HistoryContent& content,
                                          std::time_t when);

struct HistorySave {
  bool saved = false;
  std::string path;  // the file written (for a new result: PendingResultsPath)
};

// The window's save of the current result: written back into `openHistoryPath`
// when it is set, otherwise a new time-named file in `userDataDir` (now).
HistorySave SaveHistory(const std::string& openHistoryPath, const std::string& userDataDir,
                        const std::vector<search::Hit>& hits, const std::string& historyName,
                        const std::vector<std::string>& searchContents, int optionBits);

}  // namespace trovex::results
