#include "cli/find_options.h"

#include <algorithm>
#include <functional>

#include "platform/fs/date_time.h"
#include "results/program_version.h"
#include "search/search_conditions.h"

namespace trovex::cli {
namespace {

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "YYYY/MM/DD" as a date-time with the date pickers' time of day.
std::optional<double> ParsePickerDate(const std::string& text) {
  const std::size_t first = text.find('/');
  const std::size_t second = first == std::string::npos ? first : text.find('/', first + 1);
  if (second == std::string::npos) return std::nullopt;
  const std::string y = text.substr(0, first);
  const std::string m = text.substr(first + 1, second - first - 1);
  const std::string d = text.substr(second + 1);
  if (!AllDigits(y) || !AllDigits(m) || !AllDigits(d) || y.size() > 4 || m.size() > 2 ||
      d.size() > 2) {
    return std::nullopt;
  }
  const int year = std::stoi(y), month = std::stoi(m), day = std::stoi(d);
  if (year < 1 || month < 1 || month > 12 || day < 1) return std::nullopt;
  const fs::CalendarDate check = fs::DecodeDate(fs::EncodeDate(year, month, day));
  if (check.month != month || check.day != day) return std::nullopt;  // 2023/02/29 and such
  const double timeOfDay = search::kDatePickerInitialValue - fs::EncodeDate(2006, 8, 23);
  return fs::EncodeDate(year, month, day) + timeOfDay;
}

// --encoding: a comma list of encoding names; "utf16" stands for both byte orders
// and "all" for every encoding.
std::optional<search::EncodingSet> ParseEncodingList(const std::string& list) {
  search::EncodingSet set = search::EncodingSet::None();
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = list.find(',', start);
    const std::string name = list.substr(start, comma == std::string::npos ? comma : comma - start);
    if (name == "all") {
      set = search::EncodingSet::All();
    } else if (name == "utf16") {
      set.Add(search::TextEncoding::Utf16Le);
      set.Add(search::TextEncoding::Utf16Be);
    } else {
      const auto* end = std::end(search::kAllTextEncodings);
      const auto* known =
          std::find_if(std::begin(search::kAllTextEncodings), end,
                       [&](search::TextEncoding e) { return search::EncodingName(e) == name; });
      if (known == end) return std::nullopt;  // also an empty name: "sjis,", ",utf8", ""
      set.Add(*known);
    }
    if (comma == std::string::npos) return set;
    start = comma + 1;
  }
}

struct OptionRule {
  const char* name;
  bool takesValue;
  // Applies the option; returns an error text, empty on success.
  std::function<std::string(FindOptions&, const std::string& value)> apply;
  // Its line of --help, less the indent; a line may name the options that go with
  // it, which then have none of their own.
  const char* help = "";
  // Acts only with --options (the option panel's conditions and rules).
  bool panelOnly = false;
};

OptionRule PanelOnly(OptionRule rule) {
  rule.panelOnly = true;
  return rule;
}

// A flag option sets one search option.
OptionRule SearchFlag(const char* name, bool search::SearchOptions::*field, bool value,
                      const char* help = "") {
  return {name, false,
          [field, value](FindOptions& o, const std::string&) {
            o.search.*field = value;
            return std::string();
          },
          help};
}

OptionRule ToolFlag(const char* name, bool FindOptions::*field, const char* help = "") {
  return {name, false,
          [field](FindOptions& o, const std::string&) {
            o.*field = true;
            return std::string();
          },
          help};
}

// An option naming a file or folder.
OptionRule PathOption(const char* name, std::optional<std::string> FindOptions::*field,
                      const char* help = "") {
  return {name, true,
          [name, field](FindOptions& o, const std::string& value) -> std::string {
            if (value.empty()) return std::string(name) + " needs a path";
            o.*field = value;
            return {};
          },
          help};
}

// A number of digits from `low` to `high`, with no more digits than `high` has.
std::optional<int> NumberIn(const std::string& text, int low, int high) {
  if (!AllDigits(text) || text.size() > std::to_string(high).size()) return std::nullopt;
  const int number = std::stoi(text);
  if (number < low || number > high) return std::nullopt;
  return number;
}

constexpr int kMaxThreads = 256;

// In the order of --help.
const std::vector<OptionRule>& OptionTable() {
  static const std::vector<OptionRule> table = {
      SearchFlag(
          "--options", &search::SearchOptions::optionsOpen, true,
          "--options          the option panel is open: the options marked * act only with it"),
      PanelOnly(SearchFlag("--case", &search::SearchOptions::caseSensitive, true,
                           "--case             * letter case counts")),
      PanelOnly(SearchFlag("--fold", &search::SearchOptions::distinguishWidthAndKana, false,
                           "--fold             * full and half width, katakana and hiragana fold")),
      PanelOnly(SearchFlag("--comma-text", &search::SearchOptions::commaIsContent, true,
                           "--comma-text       * a comma is part of the text, not a byte list")),
      SearchFlag("--utf16", &search::SearchOptions::searchUtf16, true,
                 "--utf16            search the content's UTF-16LE bytes"),
      SearchFlag("--skip-breaks", &search::SearchOptions::skipLineBreaks, true,
                 "--skip-breaks      a CR LF inside a hit is skipped"),
      // No panel to open here: the set counts without --options.
      {"--encoding", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         const std::optional<search::EncodingSet> set = ParseEncodingList(v);
         if (!set) return "--encoding takes all, sjis, utf8, utf16, utf16le, utf16be or eucjp";
         o.search.encodings = *set;
         o.search.encodingsAlways = true;
         return {};
       },
       "--encoding LIST    the encodings a text is searched in: all (the default) or a comma\n"
       "                     list of sjis, utf8, utf16le, utf16be, eucjp (utf16: both UTF-16s)"},
      // No panel either: documents and archives are read as bytes without --options.
      {"--raw", false,
       [](FindOptions& o, const std::string&) -> std::string {
         o.search.lookInside = false;
         o.search.lookInsideAlways = true;
         return {};
       },
       "--raw              search documents (.docx, .xlsx, .pptx, .odt, .epub, .pdf, ...) and\n"
       "                     archives (.zip, .gz) as their bytes, not through their text"},
      // No panel either: a pattern is a pattern without --options.
      {"--regex", false,
       [](FindOptions& o, const std::string&) -> std::string {
         o.search.regex = true;
         o.search.regexAlways = true;
         return {};
       },
       "--regex, -e        CONTENT is a regular expression (a comma is part of it); -e PATTERN\n"
       "                     gives it before the other options"},
      SearchFlag("--hidden", &search::SearchOptions::includeHidden, true,
                 "--hidden, --system also walk hidden and system files and folders"),
      SearchFlag("--system", &search::SearchOptions::includeSystem, true),
      PanelOnly({"--name", true,
                 [](FindOptions& o, const std::string& v) {
                   o.search.nameFilter = v;
                   return std::string();
                 },
                 "--name TEXT        * only files whose names hold a fragment (fragments split by "
                 "\"/\")"}),
      PanelOnly(SearchFlag("--exclude-names", &search::SearchOptions::excludeNames, true,
                           "--exclude-names    * leave those files out instead")),
      PanelOnly({"--size", true,
                 [](FindOptions& o, const std::string& v) -> std::string {
                   const std::optional<int> number = NumberIn(v, 1, search::kSizeNumberMax);
                   if (!number)
                     return "--size takes a number from 1 to " +
                            std::to_string(search::kSizeNumberMax);
                   o.search.sizeFilterOn = true;
                   o.search.sizeNumber = *number;
                   return {};
                 },
                 "--size N --unit B|KB|MB|GB --at-least|--at-most   * the size condition"}),
      PanelOnly({"--unit", true,
                 [](FindOptions& o, const std::string& v) -> std::string {
                   static const char* const units[] = {"B", "KB", "MB", "GB"};
                   for (int i = 0; i < 4; ++i) {
                     if (v == units[i]) {
                       o.search.sizeFilterOn = true;
                       o.search.sizeUnit = search::SizeUnitFromIndex(i);
                       return {};
                     }
                   }
                   return "--unit takes B, KB, MB or GB";
                 }}),
      PanelOnly({"--at-least", false,
                 [](FindOptions& o, const std::string&) {
                   o.search.sizeFilterOn = true;
                   o.search.sizeAtLeast = true;
                   return std::string();
                 }}),
      PanelOnly({"--at-most", false,
                 [](FindOptions& o, const std::string&) {
                   o.search.sizeFilterOn = true;
                   o.search.sizeAtLeast = false;
                   return std::string();
                 }}),
      PanelOnly({"--year", true,
                 [](FindOptions& o, const std::string& v) -> std::string {
                   if (!AllDigits(v)) return "--year takes a year of digits, such as 2024";
                   o.search.dateFilterOn = true;
                   o.search.yearText = v;
                   return {};
                 },
                 "--year YYYY | --from YYYY/MM/DD --to YYYY/MM/DD    * the date condition"}),
      PanelOnly({"--from", true,
                 [](FindOptions& o, const std::string& v) -> std::string {
                   const auto date = ParsePickerDate(v);
                   if (!date) return "--from takes a date YYYY/MM/DD";
                   o.search.dateFilterOn = true;
                   o.search.dateFrom = *date;
                   return {};
                 }}),
      PanelOnly({"--to", true,
                 [](FindOptions& o, const std::string& v) -> std::string {
                   const auto date = ParsePickerDate(v);
                   if (!date) return "--to takes a date YYYY/MM/DD";
                   o.search.dateFilterOn = true;
                   o.search.dateTo = *date;
                   return {};
                 }}),
      PanelOnly(SearchFlag("--exclude-dates", &search::SearchOptions::excludeDates, true,
                           "--exclude-dates    * leave the files of those dates out instead")),
      PathOption("--content-file", &FindOptions::contentFile,
                 "--content-file FILE  the content is FILE's text (less one final line break)"),
      ToolFlag("--count", &FindOptions::count,
               "--count            count the files first and write the count on standard error"),
      ToolFlag("--snippet", &FindOptions::snippet,
               "--snippet          a tab and the hit's first 64 bytes after each line"),
      {"--binary-display", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         if (v != "hex" && v != "chars") return "--binary-display takes hex or chars";
         o.binaryDisplay = v == "hex" ? results::BinaryDisplay::Hex : results::BinaryDisplay::Chars;
         return {};
       },
       "--binary-display hex|chars   how the snippet shows a binary file"},
      ToolFlag("--null", &FindOptions::nullEnds,
               "--null             end each result line with a NUL byte instead of a line break"),
      ToolFlag(
          "--cached", &FindOptions::cached,
          "--cached           read every file through the system cache (by default a file\n"
          "                     larger than a sixteenth of memory, at least 64 MiB, bypasses it)"),
      ToolFlag("--unbuffered", &FindOptions::unbuffered,
               "--unbuffered       read every file bypassing the system cache"),
      {"--output-encoding", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         if (v != "utf8" && v != "cp932") return "--output-encoding takes utf8 or cp932";
         o.outputEncoding = v == "utf8" ? os::OutputEncoding::kUtf8 : os::OutputEncoding::kCp932;
         return {};
       },
       "--output-encoding utf8|cp932  the encoding of what is written"},
      SearchFlag(
          "--from-utf8", &search::SearchOptions::fromUtf8, true,
          "--from-utf8, --from-utf16    the byte list came from a text's UTF-8 or UTF-16 bytes"),
      SearchFlag("--from-utf16", &search::SearchOptions::fromUtf16, true),
      PathOption("--save-history", &FindOptions::saveHistory,
                 "--save-history PATH  also save the result as a search history file"),
      {"--bytes-of", true,
       [](FindOptions& o, const std::string& v) -> std::string {
         o.bytesOf = viewer::ByteEncodingNamed(v);
         if (!o.bytesOf) return "--bytes-of takes sjis, utf8, utf16le or utf16be";
         return {};
       },
       "--bytes-of sjis|utf8|utf16le|utf16be TEXT   print TEXT's byte list, no search"},
      PathOption("--history-lines", &FindOptions::historyLines,
                 "--history-lines FILE, --history-summary FILE read a history file, no search"),
      PathOption("--history-summary", &FindOptions::historySummary),
      PathOption("--within", &FindOptions::within,
                 "--within FILE [--mark]  search the files of a history file instead of LOCATIONs"),
      ToolFlag("--mark", &FindOptions::mark),
      {"--threads", true,
       [](FindOptions& o,
          const std::string& v) -> std::
                                    string {
                                      const std::optional<int> number = NumberIn(v, 1, kMaxThreads);
                                      if (!number)
                                        return "--threads (-j) takes a number from 1 to " +
                                               std::to_string(kMaxThreads);
                                      o.threads = static_cast<unsigned>(*number);
                                      return {};
                                    },
       "-j N, --threads N  the threads that look into the files (one per core unless given)"},
      ToolFlag("--help", &FindOptions::help),
      ToolFlag("--version", &FindOptions::version),
  };
  return table;
}

const OptionRule* FindRule(const std::string& name) {
  for (const OptionRule& option : OptionTable()) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

}  // namespace

const char* FindUsage() {
  return "usage: trovex-find [--options] [--case] [--fold] [--comma-text] [--utf16] "
         "[--skip-breaks] [--regex | -e PATTERN] [--encoding LIST] [--raw] [--hidden] [--system] "
         "[--name TEXT] "
         "[--exclude-names] "
         "[--size N] [--unit B|KB|MB|GB] [--at-least|--at-most] [--year YYYY | --from YYYY/MM/DD "
         "--to YYYY/MM/DD] [--exclude-dates] [--cached|--unbuffered] [--count] [--snippet] "
         "[--binary-display hex|chars] [--from-utf8|--from-utf16] [--output-encoding utf8|cp932] "
         "[--null] [--save-history PATH] [-j N|--threads N] [--] CONTENT [LOCATION...]\n"
         "       trovex-find [options] --content-file FILE [LOCATION...]\n"
         "       trovex-find --within FILE [--mark] [matching and output options] "
         "[--save-history PATH] [--] CONTENT\n"
         "       trovex-find --bytes-of sjis|utf8|utf16le|utf16be TEXT\n"
         "       trovex-find --history-lines FILE | --history-summary FILE\n"
         "       trovex-find --help | --version";
}

const char* FindHelp() {
  static const std::string help = [] {
    std::string text =
        "Searches the contents of the files in the LOCATIONs (folders; none: every drive)\n"
        "for CONTENT, a text or a byte list such as \",100,38,0xF5\", and writes one line\n"
        "\"<full path>=<offset>\" for each file that holds it.\n"
        "\n";
    for (const OptionRule& option : OptionTable()) {
      if (*option.help == '\0') continue;
      text += "  ";
      text += option.help;
      text += '\n';
    }
    text +=
        "\n"
        "Exit status: 0 with hits, 1 without, 2 on a bad command line or content, an\n"
        "unreadable location when nothing was found, or a failed write.";
    return text;
  }();
  return help.c_str();
}

const char* FindVersion() {
  static const std::string text = "trovex-find " + std::string(results::kVersionText);
  return text.c_str();
}

std::optional<FindOptions> ParseFindOptions(const std::vector<std::string>& arguments,
                                            std::string& error) {
  FindOptions options;
  std::vector<std::string> operands;
  std::optional<std::string> ePattern;  // -e PATTERN: the content, before any operand
  bool fromGiven = false, toGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    // "-j N" and "-jN" are the short form of "--threads N".
    const std::string argument =
        arguments[i].compare(0, 2, "-j") == 0
            ? (arguments[i].size() > 2 ? "--threads=" + arguments[i].substr(2)
                                       : std::string("--threads"))
            : arguments[i];
    if (argument == "-e") {
      if (i + 1 >= arguments.size() || ePattern) {
        error = ePattern ? "-e is given once" : "-e needs a PATTERN";
        return std::nullopt;
      }
      ePattern = arguments[++i];
      FindRule("--regex")->apply(options, {});
      continue;
    }
    if (argument == "--") {
      operands.insert(operands.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                      arguments.end());
      break;
    }
    if (argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
      operands.push_back(argument);
      continue;
    }
    // "--name=TEXT" and "--name TEXT" are both accepted.
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionRule* option = FindRule(name);
    if (!option) {
      error = "unknown option " + name;
      return std::nullopt;
    }
    std::string value;
    if (option->takesValue) {
      if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        error = name + " needs a value";
        return std::nullopt;
      }
    } else if (equals != std::string::npos) {
      error = name + " takes no value";
      return std::nullopt;
    }
    if (std::string problem = option->apply(options, value); !problem.empty()) {
      error = problem;
      return std::nullopt;
    }
    if (options.help || options.version) return options;  // nothing else is done
    if (option->panelOnly && std::find(options.panelOnlyGiven.begin(), options.panelOnlyGiven.end(),
                                       name) == options.panelOnlyGiven.end()) {
      options.panelOnlyGiven.push_back(name);
    }
    fromGiven |= name == "--from";
    toGiven |= name == "--to";
  }
  if (ePattern) operands.insert(operands.begin(), *ePattern);
  if (fromGiven != toGiven) {
    error = "--from and --to go together";
    return std::nullopt;
  }
  if (fromGiven && !options.search.yearText.empty()) {
    error = "--year cannot be combined with --from and --to";
    return std::nullopt;
  }
  if (options.mark && !options.within) {
    error = "--mark needs --within";
    return std::nullopt;
  }
  if (options.cached && options.unbuffered) {
    error = "--cached and --unbuffered cannot be combined";
    return std::nullopt;
  }
  if (options.historyLines || options.historySummary) {
    if (options.historyLines && options.historySummary) {
      error = "--history-lines and --history-summary go alone";
    } else if (options.saveHistory || options.bytesOf || options.within || options.contentFile) {
      error = "--history-lines and --history-summary take no search";
    } else if (!operands.empty()) {
      error = "--history-lines and --history-summary take one FILE and no CONTENT";
    } else {
      return options;
    }
    return std::nullopt;
  }
  if (options.bytesOf && options.saveHistory) {
    error = "--bytes-of runs no search to save";
    return std::nullopt;
  }
  if (options.contentFile) {
    if (options.bytesOf && !operands.empty()) {
      error = "--bytes-of takes one TEXT and no location";
      return std::nullopt;
    }
    options.locations = operands;  // the content is read when the search runs
    return options;
  }
  if (operands.empty()) {
    error = "CONTENT is missing";
    return std::nullopt;
  }
  if (options.bytesOf && operands.size() > 1) {
    error = "--bytes-of takes one TEXT and no location";
    return std::nullopt;
  }
  if (options.within) {
    // The history file names the files: nothing is walked or counted.
    const char* problem = options.bytesOf       ? "--bytes-of runs no search within a history"
                          : operands.size() > 1 ? "--within takes CONTENT and no LOCATION"
                          : options.count       ? "--within counts no files"
                                                : nullptr;
    if (problem) {
      error = problem;
      return std::nullopt;
    }
  }
  options.search.content = operands.front();
  options.locations.assign(operands.begin() + 1, operands.end());
  return options;
}

}  // namespace trovex::cli
