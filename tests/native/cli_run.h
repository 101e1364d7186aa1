#pragma once
// Runs trovex-find in the test process and keeps what it wrote.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/find_command.h"

namespace trovex::testing {

struct FindResult {
  int status;
  std::string out;
  std::string err;
};

inline std::string ReadAll(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

inline FindResult Find(const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = cli::RunFind(args, out, err);
  return {status, ReadAll(out), ReadAll(err)};
}

}  // namespace trovex::testing
