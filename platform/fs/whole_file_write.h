#pragma once
// Writing whole files so that a reader never meets half of one: the bytes go to a
// new file beside the target, which then takes the target's place in one step.
// Paths are the platform's names (Windows: CP932; POSIX: the file system's bytes).
#include <string>
#include <string_view>

namespace trovex::fs {

// Puts `bytes` in place of the file at `path` (or creates it). On failure the old
// file is left whole and no new file stays behind.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

enum class NewFileOutcome {
  Written,
  AlreadyExists,  // something is at the path: it is left untouched
  Failed
};

// Creates the file at `path` with `bytes`, never replacing anything that exists.
NewFileOutcome WriteNewWholeFile(const std::string& path, std::string_view bytes);

// Creates the folder and every missing parent. True when it exists afterwards.
bool CreateFolderPath(const std::string& path);

}  // namespace trovex::fs
