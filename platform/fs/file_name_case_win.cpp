#include "platform/fs/file_name_case.h"
#include "platform/text/cp932.h"
#include "platform/text/lower_case.h"

namespace trovex::fs {

std::string LowerCaseFileName(std::string_view name) { return text::AnsiLowerCase(name); }

std::size_t FileNameCharLength(std::string_view name, std::size_t pos) {
  return text::Cp932CharLength(name, pos);
}

}  // namespace trovex::fs
