#include "platform/shell/drop_files.h"

#include <cstdint>
#include <optional>

#include "platform/text/cp932.h"

namespace trovex::os_shell {
namespace {

void AppendUint32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendUnit(std::string& out, char16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>((unit >> 8) & 0xFF);
}

}  // namespace

std::string BuildDropFiles(const std::vector<std::u16string>& paths, std::size_t* skipped) {
  std::string block;
  AppendUint32(block, kDropFilesHeaderSize);  // offset of the list
  AppendUint32(block, 0);                     // point x
  AppendUint32(block, 0);                     // point y
  AppendUint32(block, 0);                     // not in the non-client area
  AppendUint32(block, 1);                     // wide names
  std::size_t unusable = 0;
  for (const std::u16string& path : paths) {
    if (path.empty() || path.find(u'\0') != std::u16string::npos) {
      ++unusable;
      continue;
    }
    for (char16_t unit : path) AppendUnit(block, unit);
    AppendUnit(block, 0);
  }
  AppendUnit(block, 0);
  if (skipped) *skipped = unusable;
  return block;
}

std::string BuildDropFilesFromCp932(const std::vector<std::string>& paths, std::size_t* skipped) {
  std::vector<std::u16string> wide;
  wide.reserve(paths.size());
  std::size_t invalid = 0;
  for (const std::string& path : paths) {
    if (std::optional<std::u16string> decoded = text::DecodeCp932(path))
      wide.push_back(std::move(*decoded));
    else
      ++invalid;
  }
  std::size_t unusable = 0;
  std::string block = BuildDropFiles(wide, &unusable);
  if (skipped) *skipped = invalid + unusable;
  return block;
}

}  // namespace trovex::os_shell
