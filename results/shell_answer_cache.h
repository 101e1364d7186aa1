#pragma once
// The shell's names and icon for the files of a result, asked once per kind of
// file. Asking the shell about a path costs it a walk through its namespace (a few
// milliseconds each under Wine); for ordinary files the answer depends only on the
// extension, so one answer serves every file with it. Files whose icon or name is
// their own (programs, shortcuts, icons) are asked about one by one.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "results/hit_record.h"

namespace trovex::results {

// True for names whose shell icon or display name belongs to the file itself.
bool ShellNamesEachFile(std::string_view fileName);

class ShellAnswerCache {
 public:
  using Query = std::function<ShellAnswer(const std::string& path)>;
  explicit ShellAnswerCache(Query query) : query_(std::move(query)) {}

  // The shell's answer for an existing file at `path`.
  ShellAnswer For(const std::string& path);
  std::size_t QueriesMade() const { return queries_; }

 private:
  struct Kind {
    std::string typeName;
    int iconIndex = -1;
    bool known = false;           // the shell answered at all
    bool hidesExtension = false;  // its display name leaves the extension out
  };
  Query query_;
  std::unordered_map<std::string, Kind> kinds_;  // by lower-case extension
  std::size_t queries_ = 0;
};

}  // namespace trovex::results
