#pragma once
// The INI text the history files are kept in: CP932, CR LF, no byte-order mark.
//
// "[name]" starts a section; "key=value" lines are its entries. Section names and
// keys are compared ignoring letter case (the locale's lower-casing; see exactPathNames); a name or
// key given again under another spelling keeps its first spelling and takes the
// later value. Empty lines, lines starting with ";" and lines before the first
// section are ignored; nothing is trimmed. Written out, each section is its name
// line, its entries in the order their keys first came, and one empty line;
// sections come in the order they were first made.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trovex::results {

struct IniEntry {
  std::string key;
  std::string value;
};

// How the text is read and looked up.
struct IniDialect {
  // The first section stands apart and the others hold paths (the history file's
  // folder sections): a later section of the same name as the first is a section
  // of its own, and lines of the later sections split at their LAST "=" (a value
  // never holds one, a file name may) and count even when they start with ";".
  bool firstSectionApart = false;
  // With firstSectionApart: the names and keys of the path sections are compared
  // byte for byte instead, for the folders and files of a file system that tells
  // letter case apart (POSIX). The first section's keys still ignore it.
  bool exactPathNames = false;
};

class IniSection {
 public:
  explicit IniSection(std::string name, bool exactKeys = false)
      : name_(std::move(name)), exactKeys_(exactKeys) {}

  const std::string& Name() const { return name_; }
  const std::vector<IniEntry>& Entries() const { return entries_; }

  // The value of `key` (letter case ignored); nullptr when there is none.
  const std::string* Find(std::string_view key) const;
  // Replaces the value of `key` in place, or appends the entry.
  void Set(std::string_view key, std::string_view value);

 private:
  std::string name_;
  bool exactKeys_ = false;
  std::vector<IniEntry> entries_;
  std::unordered_map<std::string, std::size_t> index_;  // lower-cased key -> entry
};

class IniText {
 public:
  explicit IniText(IniDialect dialect = {}) : dialect_(dialect) {}

  // Reads `bytes` by the rules above.
  static IniText Parse(std::string_view bytes, IniDialect dialect = {});

  // The section of that name (letter case ignored), appended when new. With
  // firstSectionApart the first section is only ever made by the first call, and
  // later calls look among the others.
  IniSection& Section(std::string_view name);
  // nullptr when no section has that name (looked up like Section).
  const IniSection* Find(std::string_view name) const;

  const std::vector<IniSection>& Sections() const { return sections_; }
  bool Empty() const { return sections_.empty(); }

  // The whole text, CR LF line ends.
  std::string ToText() const;

 private:
  bool ExactPathNames() const;

  IniDialect dialect_;
  std::vector<IniSection> sections_;
  std::unordered_map<std::string, std::size_t> index_;  // lower-cased name -> section
};

}  // namespace trovex::results
