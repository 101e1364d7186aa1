#pragma once
// Lower-casing and character walking of file names in the platform's encoding.
// Windows names are CP932; POSIX names are the file system's bytes, UTF-8 by convention.
#include <cstddef>
#include <string>
#include <string_view>

namespace trovex::fs {

// Windows: AnsiLowerCase of the CP932 name. POSIX: the name lower-cased as UTF-8
// (the same letters as the CP932 lowering); a name that is not valid UTF-8 has
// only A-Z lowered.
std::string LowerCaseFileName(std::string_view name);

// Bytes taken by the character at `pos` of a name (CP932 double-byte characters
// on Windows; 1 on POSIX, where UTF-8 never hides an ASCII byte in a character).
std::size_t FileNameCharLength(std::string_view name, std::size_t pos);

}  // namespace trovex::fs
