#pragma once
// A file of the fuzz process's own that each input is written to, for the readers
// that take a path.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace trovex::fuzzing {

// The path of this process's file with `extension` in the temporary folder
// ($TMPDIR; scripts/fuzz.sh points it into build/fuzz); the input's bytes are
// written to it whole.
inline std::string WriteFuzzFile(std::string_view bytes, const std::string& extension) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("trovex-fuzz-" + std::to_string(getpid()) + extension))
                               .string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
    std::abort();
  std::fclose(file);
  return path;
}

}  // namespace trovex::fuzzing
