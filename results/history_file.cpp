#include "results/history_file.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "platform/fs/dir_listing.h"
#include "platform/fs/file_name_case.h"
#include "platform/fs/path_separator.h"
#include "platform/fs/read_at.h"
#include "platform/fs/whole_file_write.h"
#include "platform/text/cp932.h"
#include "platform/text/lower_case.h"
#include "platform/text/text_lines.h"
#include "results/ini_text.h"
#include "search/folder_path.h"
#include "search/hit_line.h"
#include "search/text_helpers.h"

namespace trovex::results {
namespace {

constexpr std::string_view kContentSeparator = "\\@\\";
// Folder sections and file names keep the letter case the file system tells apart.
IniDialect HistoryDialect(PathStyle style) {
  return {.firstSectionApart = true, .exactPathNames = style == PathStyle::Posix};
}

// Replaces every `from` that starts on a character of its own (not on the trail
// byte of a double-byte character).
std::string ReplaceOnCharacters(std::string_view text, std::string_view from, std::string_view to) {
  std::string replaced;
  replaced.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (text.substr(pos, from.size()) == from) {
      replaced += to;
      pos += from.size();
      continue;
    }
    const std::size_t length = text::Cp932CharLength(text, pos);
    replaced.append(text, pos, length);
    pos += length;
  }
  return replaced;
}

std::size_t CharLength(std::string_view path, std::size_t pos, PathStyle style) {
  return style == PathStyle::Windows ? text::Cp932CharLength(path, pos) : 1;
}

char Separator(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

struct FolderAndName {
  std::string_view folder;  // the section name
  std::string_view name;    // the entry's key
};

// The folder without its trailing separator, except where that separator is all
// or follows another separator or a drive (a root: "C:\", "\", "/").
FolderAndName SplitPath(std::string_view path, PathStyle style) {
  const char separator = Separator(style);
  std::size_t cut = 0;        // just after the last separator (or drive colon)
  std::size_t beforeCut = 0;  // where the character before that one starts
  for (std::size_t pos = 0, previous = 0; pos < path.size();) {
    const std::size_t length = CharLength(path, pos, style);
    if (length == 1 &&
        (path[pos] == separator || (style == PathStyle::Windows && path[pos] == ':'))) {
      cut = pos + 1;
      beforeCut = previous;
    }
    previous = pos;
    pos += length;
  }
  std::size_t folderEnd = cut;
  if (cut > 1 && path[cut - 1] == separator) {
    const char before = path[cut - 2];
    const bool beforeIsDelimiter =
        beforeCut == cut - 2 &&
        (before == separator || (style == PathStyle::Windows && before == ':'));
    if (!beforeIsDelimiter) --folderEnd;
  }
  return {path.substr(0, folderEnd), path.substr(cut)};
}

bool EndsWithSeparator(std::string_view path, PathStyle style) {
  bool ends = false;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t length = CharLength(path, pos, style);
    ends = length == 1 && path[pos] == Separator(style);
    pos += length;
  }
  return ends;
}

// The text the file names of a folder section are appended to.
std::string FolderPrefix(const std::string& section, PathStyle style) {
  if (section.empty() || EndsWithSeparator(section, style) || fs::IsExistingFile(section))
    return section;
  return section + Separator(style);
}

// "frg": a decimal number, else 0.
int ParseOptionBits(const std::string* value) {
  if (!value || value->empty()) return 0;
  std::size_t pos = (*value)[0] == '-' || (*value)[0] == '+' ? 1 : 0;
  if (pos == value->size()) return 0;
  long long number = 0;
  for (; pos < value->size(); ++pos) {
    const char c = (*value)[pos];
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
    if (number > 0x7FFFFFFF) return 0;
  }
  return (*value)[0] == '-' ? static_cast<int>(-number) : static_cast<int>(number);
}

std::string JoinFolder(const std::string& folder, std::string_view name) {
  std::string path = folder;
  bool endsWithSeparator = false;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t length = fs::FileNameCharLength(path, pos);
    endsWithSeparator = length == 1 && path[pos] == fs::kPathSeparator;
    pos += length;
  }
  if (!path.empty() && !endsWithSeparator) path += fs::kPathSeparator;
  path += name;
  return path;
}

}  // namespace

int HistoryOptionBits(const search::SearchOptions& options) {
  return (options.caseSensitive ? kHistoryCaseSensitive : 0) |
         (options.distinguishWidthAndKana ? kHistoryDistinguishWidthAndKana : 0) |
         (options.skipLineBreaks ? kHistorySkipLineBreaks : 0) |
         (options.commaIsContent ? kHistoryCommaIsContent : 0) |
         (search::SearchesByRegex(options) ? kHistoryRegex : 0);
}

void ApplyHistoryOptionBits(int bits, search::SearchOptions& options) {
  options.caseSensitive = (bits & kHistoryCaseSensitive) != 0;
  options.distinguishWidthAndKana = (bits & kHistoryDistinguishWidthAndKana) != 0;
  options.skipLineBreaks = (bits & kHistorySkipLineBreaks) != 0;
  options.commaIsContent = (bits & kHistoryCommaIsContent) != 0;
  options.regex = (bits & kHistoryRegex) != 0;
}

search::SearchOptions OptionsForLoadedHistory(search::SearchOptions options, int bits) {
  ApplyHistoryOptionBits(bits, options);
  // A pattern reopens as a pattern, whether the option panel is open or not.
  options.regexAlways = options.regex;
  options.conversionSource.clear();
  options.fromUtf8 = false;
  options.fromUtf16 = false;
  return options;
}

std::string EncodeContentList(const std::vector<std::string>& contents) {
  return std::string(search::TrimControlsAndSpaces(
      ReplaceOnCharacters(text::JoinLinesCrLf(contents), "\r\n", kContentSeparator)));
}

std::vector<std::string> DecodeContentList(std::string_view value) {
  const std::string lines = ReplaceOnCharacters(value, kContentSeparator, "\r\n");
  return text::SplitTextLines(search::TrimControlsAndSpaces(lines));
}

std::string HistoryFileText(const HistoryContent& content, PathStyle style) {
  IniText ini(HistoryDialect(style));
  IniSection& header = ini.Section(content.name);
  header.Set("Vemko", "Ver 1.0");
  header.Set("list", EncodeContentList(content.searchContents));
  header.Set("frg", std::to_string(content.optionBits & ~kHistoryRegex));
  if (content.optionBits & kHistoryRegex) header.Set("regex", "1");
  for (const search::Hit& hit : content.hits) {
    const FolderAndName parts = SplitPath(hit.path, style);
    ini.Section(parts.folder).Set(parts.name, search::HitOffsetText(hit));
  }
  return ini.ToText();
}

HistoryContent ParseHistoryText(std::string_view bytes, PathStyle style) {
  HistoryContent content;
  const IniText ini = IniText::Parse(bytes, HistoryDialect(style));
  if (ini.Empty()) {
    // The plain form: the name, then hit lines.
    std::vector<std::string> lines = text::SplitTextLines(bytes);
    if (lines.empty()) return content;
    content.name = std::move(lines.front());
    content.hits.reserve(lines.size() - 1);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      std::optional<search::Hit> hit = search::ParseHitLine(lines[i]);
      content.hits.push_back(hit ? std::move(*hit) : search::Hit{std::move(lines[i])});
    }
    return content;
  }
  const IniSection& header = ini.Sections().front();
  content.name = header.Name();
  for (std::size_t i = 1; i < ini.Sections().size(); ++i) {
    const IniSection& folder = ini.Sections()[i];
    const std::string prefix = FolderPrefix(folder.Name(), style);
    for (const IniEntry& entry : folder.Entries()) {
      search::Hit& hit = content.hits.emplace_back();
      hit.path.reserve(prefix.size() + entry.key.size());
      hit.path += prefix;
      hit.path += entry.key;
      search::ReadHitOffset(entry.value, hit);
    }
  }
  const std::string* list = header.Find("list");
  if (list) content.searchContents = DecodeContentList(*list);
  content.optionBits = ParseOptionBits(header.Find("frg")) & ~kHistoryRegex;
  if (const std::string* regex = header.Find("regex"); regex && *regex == "1")
    content.optionBits |= kHistoryRegex;
  return content;
}

bool WriteHistoryFile(const std::string& path, const HistoryContent& content) {
  return fs::ReplaceWholeFile(path, HistoryFileText(content));
}

std::optional<HistoryContent> LoadHistoryFile(const std::string& path) {
  if (!fs::IsExistingFile(path)) return std::nullopt;
  const std::optional<std::string> bytes = fs::ReadAllBytes(path);
  if (!bytes) return std::nullopt;
  return ParseHistoryText(*bytes);
}

namespace {

// FNV-1a of the key as AnsiLowerCase lowers it, without making the lowered text
// (a double-byte character's lowering fits the short-string buffer).
// The hash of a key as the dialect compares it: lowered, or (exact) as it stands.
std::uint64_t KeyHash(std::string_view key, bool exact) {
  std::uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](unsigned char byte) {
    hash ^= byte;
    hash *= 1099511628211ull;
  };
  if (exact) {
    for (char byte : key) mix(static_cast<unsigned char>(byte));
    return hash;
  }
  for (std::size_t pos = 0; pos < key.size();) {
    const std::size_t length = text::Cp932CharLength(key, pos);
    if (length == 1) {
      const auto byte = static_cast<unsigned char>(key[pos]);
      mix(byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte);
    } else {
      for (char byte : text::AnsiLowerCase(key.substr(pos, length)))
        mix(static_cast<unsigned char>(byte));
    }
    pos += length;
  }
  return hash;
}

struct KeyOfLine {
  std::uint64_t hash;
  std::string_view key;
};

// The number of distinct keys (letter case ignored unless `exact`): keys of equal
// hash are told apart by their texts as compared.
std::size_t DistinctKeys(std::vector<KeyOfLine>& keys, bool exact) {
  std::sort(keys.begin(), keys.end(),
            [](const KeyOfLine& a, const KeyOfLine& b) { return a.hash < b.hash; });
  std::size_t distinct = 0;
  for (std::size_t run = 0; run < keys.size();) {
    std::size_t end = run + 1;
    while (end < keys.size() && keys[end].hash == keys[run].hash) ++end;
    if (end - run == 1) {
      ++distinct;
    } else {
      std::vector<std::string> lowered;
      for (std::size_t i = run; i < end; ++i) {
        std::string key = exact ? std::string(keys[i].key) : text::AnsiLowerCase(keys[i].key);
        if (std::find(lowered.begin(), lowered.end(), key) == lowered.end())
          lowered.push_back(std::move(key));
      }
      distinct += lowered.size();
    }
    run = end;
  }
  return distinct;
}

}  // namespace

// The reading rules of IniText::Parse in the history dialect, keeping of the
// folder sections only their keys, to count the distinct ones.
HistorySummary SummarizeHistoryText(std::string_view bytes, PathStyle style) {
  const bool exact = HistoryDialect(style).exactPathNames;
  HistorySummary summary;
  bool headerSeen = false;
  std::unordered_map<std::string, std::size_t> folderIndex;  // compared name -> folder
  std::vector<std::vector<KeyOfLine>> folders;
  std::vector<KeyOfLine>* keys = nullptr;  // of the current folder section
  text::TextLineReader lines(bytes);
  for (std::string_view line; lines.Next(line);) {
    if (line.empty()) continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string_view name = line.substr(1, line.size() - 2);
      if (!headerSeen) {
        headerSeen = true;
        summary.name = std::string(name);
      } else {
        const auto [it, added] = folderIndex.try_emplace(
            exact ? std::string(name) : text::AnsiLowerCase(name), folders.size());
        if (added) folders.emplace_back();
        keys = &folders[it->second];
      }
      continue;
    }
    // The header's entries are no hits; a folder's entry splits at its last "=".
    if (!keys) continue;
    const std::size_t equals = line.rfind('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, equals);
    keys->push_back({KeyHash(key, exact), key});
  }
  if (!headerSeen) {
    // The plain form: the name, then hit lines as they are.
    std::vector<std::string> lines = text::SplitTextLines(bytes);
    if (lines.empty()) return {};
    return HistorySummary{std::move(lines.front()), lines.size() - 1};
  }
  for (std::vector<KeyOfLine>& folder : folders) summary.hitCount += DistinctKeys(folder, exact);
  return summary;
}

std::optional<HistorySummary> ReadHistorySummary(const std::string& path) {
  if (!fs::IsExistingFile(path)) return std::nullopt;
  const std::optional<std::string> bytes = fs::ReadAllBytes(path);
  if (!bytes) return std::nullopt;
  return SummarizeHistoryText(*bytes);
}

std::string NewHistoryFileName(std::time_t when) {
  std::tm local{};
  // std::localtime shares one buffer; copy it out at once.
  if (const std::tm* converted = std::localtime(&when)) local = *converted;
  char name[80];
  std::snprintf(name, sizeof name, "%04d%02d%02d %02d%02d%02d.txd", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return name;
}

std::optional<std::string> SaveNewHistory(const std::string& folder, const HistoryContent& content,
                                          std::time_t when) {
  if (!fs::CreateFolderPath(folder)) return std::nullopt;
  const std::string text = HistoryFileText(content);
  // A day's worth of taken names is far more than any use makes; past it, give up.
  for (int second = 0; second < 86400; ++second) {
    const std::string path = JoinFolder(folder, NewHistoryFileName(when + second));
    switch (fs::WriteNewWholeFile(path, text)) {
      case fs::NewFileOutcome::Written:
        return path;
      case fs::NewFileOutcome::AlreadyExists:
        continue;
      case fs::NewFileOutcome::Failed:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

HistorySave SaveHistory(const std::string& openHistoryPath, const std::string& userDataDir,
                        const std::vector<search::Hit>& hits, const std::string& historyName,
                        const std::vector<std::string>& searchContents, int optionBits) {
  const HistoryContent content{historyName, hits, searchContents, optionBits};
  if (!openHistoryPath.empty()) {
    // The file came from this folder, but it may have been removed since.
    const std::string folder(search::FolderPart(openHistoryPath));
    const bool saved = (folder.empty() || fs::CreateFolderPath(folder)) &&
                       WriteHistoryFile(openHistoryPath, content);
    return {saved, openHistoryPath};
  }
  const std::optional<std::string> written = SaveNewHistory(
      userDataDir, content, std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()));
  return written ? HistorySave{true, *written} : HistorySave{};
}

}  // namespace trovex::results
