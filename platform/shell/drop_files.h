#pragma once
// The block of a clipboard file list (CF_HDROP): a 20-byte header followed by the
// paths as UTF-16LE, each ended by a zero unit, and one more zero unit at the end.
// Portable: it is built byte by byte, with no Windows header.
#include <cstddef>
#include <string>
#include <vector>

namespace trovex::os_shell {

// Header fields, little-endian 32-bit each: offset of the file list (the header
// size), drop point x and y (0, 0), "point is in the non-client area" (0) and
// "names are wide" (1).
inline constexpr std::size_t kDropFilesHeaderSize = 20;

// The block for these paths, in this order. An empty list gives the header and
// the final zero unit. A path that is empty or holds a zero unit would end the
// list early; it is left out and counted in `*skipped`.
std::string BuildDropFiles(const std::vector<std::u16string>& paths,
                           std::size_t* skipped = nullptr);

// As above for CP932 paths. A path that is not valid CP932 is left out as well,
// so the list never names a file the user did not choose.
std::string BuildDropFilesFromCp932(const std::vector<std::string>& paths,
                                    std::size_t* skipped = nullptr);

}  // namespace trovex::os_shell
