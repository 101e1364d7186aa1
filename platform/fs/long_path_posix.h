#pragma once
// Opening paths of any length (POSIX build only). The kernel refuses a path of
// PATH_MAX bytes or more in one call; such a path is opened a stretch at a time,
// each stretch relative to the folder the one before it opened.
#include <sys/stat.h>

#include <string>

namespace trovex::fs {

// open(path, flags) for a path of any length; -1 with errno set on failure.
// Components of a long path are looked up as open() would look them up.
int OpenAnyLength(const std::string& path, int flags);

// fstat's answer for a path of any length, following links; false when it fails.
bool StatAnyLength(const std::string& path, struct stat& info);

}  // namespace trovex::fs
