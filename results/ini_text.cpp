#include "results/ini_text.h"

#include "platform/text/lower_case.h"
#include "platform/text/text_lines.h"

namespace trovex::results {
namespace {

// The form a name is looked up by.
std::string LookupForm(std::string_view name, bool exact) {
  return exact ? std::string(name) : text::AnsiLowerCase(name);
}

}  // namespace

const std::string* IniSection::Find(std::string_view key) const {
  const auto it = index_.find(LookupForm(key, exactKeys_));
  return it == index_.end() ? nullptr : &entries_[it->second].value;
}

void IniSection::Set(std::string_view key, std::string_view value) {
  const auto [it, added] = index_.try_emplace(LookupForm(key, exactKeys_), entries_.size());
  if (added) {
    entries_.push_back({std::string(key), std::string(value)});
  } else {
    entries_[it->second].value = value;
  }
}

bool IniText::ExactPathNames() const {
  return dialect_.firstSectionApart && dialect_.exactPathNames;
}

IniSection& IniText::Section(std::string_view name) {
  if (dialect_.firstSectionApart && sections_.empty()) {
    sections_.emplace_back(std::string(name));
    return sections_.back();
  }
  const auto [it, added] = index_.try_emplace(LookupForm(name, ExactPathNames()), sections_.size());
  if (added) sections_.emplace_back(std::string(name), ExactPathNames());
  return sections_[it->second];
}

const IniSection* IniText::Find(std::string_view name) const {
  const auto it = index_.find(LookupForm(name, ExactPathNames()));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

IniText IniText::Parse(std::string_view bytes, IniDialect dialect) {
  IniText ini(dialect);
  IniSection* section = nullptr;
  bool inPathSection = false;
  text::TextLineReader lines(bytes);
  for (std::string_view line; lines.Next(line);) {
    if (line.empty()) continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      inPathSection = dialect.firstSectionApart && !ini.sections_.empty();
      section = &ini.Section(line.substr(1, line.size() - 2));
      continue;
    }
    if (!section || (line.front() == ';' && !inPathSection)) continue;
    const std::size_t equals = inPathSection ? line.rfind('=') : line.find('=');
    if (equals == std::string_view::npos) continue;  // not an entry
    section->Set(line.substr(0, equals), line.substr(equals + 1));
  }
  return ini;
}

std::string IniText::ToText() const {
  std::string text;
  for (const IniSection& section : sections_) {
    text += '[';
    text += section.Name();
    text += "]\r\n";
    for (const IniEntry& entry : section.Entries()) {
      text += entry.key;
      text += '=';
      text += entry.value;
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace trovex::results
