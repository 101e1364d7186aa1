#pragma once
// The command line of trovex-find:
//   trovex-find [options] CONTENT [LOCATION...]
// The options set search::SearchOptions by meaning; "--" ends the options.
#include <optional>
#include <string>
#include <vector>

#include "platform/os/console_text.h"
#include "results/hit_snippet.h"
#include "search/search_options.h"
#include "viewer/byte_list_conversion.h"

namespace trovex::cli {

struct FindOptions {
  // CONTENT and the search options: --options, --case, --fold (distinguishWidthAndKana
  // off), --comma-text, --utf16, --skip-breaks, --encoding (encodings, counting
  // without --options: encodingsAlways), --hidden, --system, --name,
  // --exclude-names, --size/--unit/--at-least/--at-most (sizeFilterOn),
  // --year or --from/--to (dateFilterOn), --exclude-dates, --from-utf8, --from-utf16.
  search::SearchOptions search;
  std::vector<std::string> locations;  // none: every drive

  bool cached = false;      // --cached: read every file through the system cache
  bool unbuffered = false;  // --unbuffered: read every file bypassing it
  bool count = false;       // --count: pre-count and report it on stderr
  bool snippet = false;     // --snippet: a tab and the hit's snippet after each offset
  results::BinaryDisplay binaryDisplay = results::BinaryDisplay::Hex;  // --binary-display
  // --output-encoding utf8|cp932; without it the platform's choice (see console_text.h).
  os::OutputEncoding outputEncoding = os::OutputEncoding::kAutomatic;
  // --bytes-of ENCODING: CONTENT is a text to print as a byte list; no search.
  std::optional<viewer::ByteEncoding> bytesOf;
  // --save-history PATH: the result is also saved as a history file at PATH, or as
  // a new time-named file in it when PATH is an existing folder.
  std::optional<std::string> saveHistory;
  // --history-lines FILE / --history-summary FILE: print the hit lines, or the
  // name and the number of hits, of a history file; no CONTENT, no search.
  std::optional<std::string> historyLines;
  std::optional<std::string> historySummary;
  // --within FILE: the files listed in a history file are searched for CONTENT
  // instead of walking locations (the result window's 絞込み検索); with --mark
  // every file stays, "-1" for those that lack it (リストの検索).
  std::optional<std::string> within;
  bool mark = false;

  bool help = false;      // --help: the usage on standard output, nothing else
  bool version = false;   // --version: the version line, nothing else
  bool nullEnds = false;  // --null: result lines end with a NUL byte
  // --content-file FILE: the content is FILE's text (less one final line break);
  // every operand is then a location.
  std::optional<std::string> contentFile;
  // The options given that act only with --options, in the order first given.
  std::vector<std::string> panelOnlyGiven;
  // -j N / --threads N: the threads that look into the files; 0 (not given): one
  // per hardware thread, one alone on a volume with a seek penalty. The hit lines
  // and their order are the same for every N.
  unsigned threads = 0;
};

// Parses the arguments after the program name. On failure returns nullopt and
// sets `error` to a one-line reason.
std::optional<FindOptions> ParseFindOptions(const std::vector<std::string>& arguments,
                                            std::string& error);

// The usage line shown with a bad command line.
const char* FindUsage();

// --help: the usage line and what each option does.
const char* FindHelp();

// --version: the tool's name and version.
const char* FindVersion();

}  // namespace trovex::cli
