#pragma once
// HitRecord: one row of a result window, its hit and what the shell and the file
// system tell about its file; and the texts of its columns.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fs/file_facts.h"
#include "results/byte_size_text.h"
#include "search/hit.h"

namespace trovex::results {

// The row is its hit (path, offset, mismatched) with the texts shown for it.
struct HitRecord : search::Hit {
  std::string fileName;
  std::string content;  // the hit snippet
  // The snippet is still to be read (content is empty until then); see
  // snippet_filler.h.
  bool contentDue = false;
  std::string typeName;
  std::string sizeText;
  std::string modifiedText;
  int iconIndex = -1;  // in the system's small image list; -1: none
};

// The shell's answer for a path (all empty when it knew nothing).
struct ShellAnswer {
  std::string displayName;
  std::string typeName;
  int iconIndex = -1;
};

inline constexpr const char* kMissingFileName = "存在しないファイル";

// The row of `hit`. `facts` is nullopt for a file that does not exist: its row
// says so and has no type, size or date.
HitRecord MakeHitRecord(search::Hit hit, const ShellAnswer& shell,
                        const std::optional<fs::FileFacts>& facts, std::string content);

// A size text read back as the number it stands for ("2KB" is 2048); 0 for "".
double SizeTextValue(std::string_view sizeText);

// "yyyy/mm/dd hh:nn" of a local date-time (days since 1899-12-30).
std::string FormatModifiedTime(double localDateTime);
// "yyyy/mm/dd hh:nn:ss" of the same.
std::string FormatModifiedTimeWithSeconds(double localDateTime);

// The name after the path's last separator.
std::string_view FileNamePart(std::string_view path);
// The folder holding `path`: without its last component and without a trailing
// separator, unless that folder is a root ("C:\").
std::string FolderOfPath(std::string_view path);

}  // namespace trovex::results
