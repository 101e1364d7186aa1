#pragma once
// A fresh temporary folder for walk tests, removed afterwards. Paths are given in
// the walk's own form (the platform separator; ASCII names only).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/fs/path_separator.h"

namespace trovex::testing {

class WalkTestTree {
 public:
  WalkTestTree() {
    std::random_device device;
    root_ = std::filesystem::temp_directory_path() /
            ("trovex-walk-" + std::to_string(device()) + "-" + std::to_string(device()));
    std::filesystem::create_directories(root_);
  }
  ~WalkTestTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // Folder path without a trailing separator.
  std::string Root() const { return root_.string(); }

  // "a/b.txt" becomes Root() + separator + "a" + separator + "b.txt".
  std::string PathOf(const std::string& relative) const {
    std::string path = Root() + fs::kPathSeparator;
    for (char c : relative) path += c == '/' ? fs::kPathSeparator : c;
    return path;
  }

  void File(const std::string& relative, const std::string& contents) const {
    const std::filesystem::path path = root_ / std::filesystem::path(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
  }

  void Folder(const std::string& relative) const {
    std::filesystem::create_directories(root_ / std::filesystem::path(relative));
  }

 private:
  std::filesystem::path root_;
};

}  // namespace trovex::testing
