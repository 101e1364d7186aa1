#pragma once
// A file of the fuzz process's own that each input is written to, for the readers
// that take a path.
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

namespace trovex::fuzzing {

// The path of this process's file with `extension`; the input's bytes are written
// to it whole.
inline std::string WriteFuzzFile(std::string_view bytes, const std::string& extension) {
  const std::string path = "/tmp/trovex-fuzz-" + std::to_string(getpid()) + extension;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
  std::fclose(file);
  return path;
}

}  // namespace trovex::fuzzing
