#include "results/hit_record.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/fs/date_time.h"
#include "platform/fs/path_separator.h"
#include "search/folder_path.h"

namespace trovex::results {
namespace {

// The extension of a file name without its dot; empty when it has none. A dot is
// never a trail byte, so the last one found is the real one.
std::string_view ExtensionOf(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : fileName.substr(dot + 1);
}

std::string TypeFromExtension(std::string_view fileName) {
  const std::string_view extension = ExtensionOf(fileName);
  if (extension.empty()) return "ファイル";
  return std::string(extension) + " ファイル";
}

bool IsRoot(std::string_view folder) {
  if (folder.size() == 1 && folder[0] == fs::kPathSeparator) return true;
  return folder.size() == 3 && folder[1] == ':' && folder[2] == fs::kPathSeparator;
}

}  // namespace

HitRecord MakeHitRecord(search::Hit hit, const ShellAnswer& shell,
                        const std::optional<fs::FileFacts>& facts, std::string content) {
  HitRecord row;
  static_cast<search::Hit&>(row) = std::move(hit);
  const std::string& path = row.path;
  if (facts) {
    row.fileName = !shell.displayName.empty() ? shell.displayName : std::string(FileNamePart(path));
    row.typeName = !shell.typeName.empty() ? shell.typeName : TypeFromExtension(FileNamePart(path));
    row.sizeText = FormatByteSize(facts->size);
    if (facts->lastWriteTime) row.modifiedText = FormatModifiedTime(*facts->lastWriteTime);
  } else {
    row.fileName = kMissingFileName;
  }
  row.content = std::move(content);
  row.iconIndex = (shell.displayName.empty() && shell.typeName.empty()) ? -1 : shell.iconIndex;
  return row;
}

double SizeTextValue(std::string_view sizeText) {
  double multiplier = 1;
  if (sizeText.find('T') != std::string_view::npos)
    multiplier = std::ldexp(1.0, 40);
  else if (sizeText.find('G') != std::string_view::npos)
    multiplier = std::ldexp(1.0, 30);
  else if (sizeText.find('M') != std::string_view::npos)
    multiplier = std::ldexp(1.0, 20);
  else if (sizeText.find('K') != std::string_view::npos)
    multiplier = 1024;
  std::uint64_t number = 0;
  std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), number);
  return static_cast<double>(number) * multiplier;
}

namespace {

std::string FormatLocalTime(double localDateTime, bool withSeconds) {
  // Whole seconds first, so that 23:59:59.9 does not show the next day's date with
  // the old day's hour.
  const auto seconds = static_cast<long long>(std::floor(localDateTime * 86400.0 + 0.0005));
  const long long days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  const long long ofDay = seconds - days * 86400;
  const fs::CalendarDate date = fs::DecodeDate(static_cast<double>(days));
  char text[40];
  const int length =
      std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", date.year, date.month, date.day,
                    static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60));
  if (withSeconds && length > 0 && static_cast<std::size_t>(length) < sizeof text) {
    std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), ":%02d",
                  static_cast<int>(ofDay % 60));
  }
  return text;
}

}  // namespace

std::string FormatModifiedTime(double localDateTime) {
  return FormatLocalTime(localDateTime, false);
}

std::string FormatModifiedTimeWithSeconds(double localDateTime) {
  return FormatLocalTime(localDateTime, true);
}

std::string_view FileNamePart(std::string_view path) {
  return path.substr(search::FolderPart(path).size());
}

std::string FolderOfPath(std::string_view path) {
  std::string_view folder = search::FolderPart(path);
  if (!folder.empty() && !IsRoot(folder)) folder.remove_suffix(1);
  return std::string(folder);
}

}  // namespace trovex::results
