#pragma once
// Whole-file and folder operations on CP932 paths (Windows build). Whether a file
// or a folder exists is IsExistingFile's and IsExistingFolder's (dir_listing.h).
#include <string>
#include <vector>

#include "platform/fs/dir_listing.h"

namespace trovex::fs {

// Creates the folder and every missing parent. True when it exists afterwards.
bool ForceDirectories(const std::string& path);

// Moves a file; fails (false) when the target exists, so nothing is overwritten.
bool MoveFileNoReplace(const std::string& from, const std::string& to);

// Deletes a file. False when it is not there or cannot go (read-only, in use).
bool DeleteFileAt(const std::string& path);

// Names of the entries matching `pattern` (a folder path plus wildcards, e.g.
// "C:\x\*.txd") that are not folders, in the order the system lists them.
std::vector<std::string> MatchingFileNames(const std::string& pattern);

// From now on the process shows no system dialog for a drive without media
// (SEM_FAILCRITICALERRORS); the call fails instead.
void SuppressCriticalErrorDialogs();

}  // namespace trovex::fs
