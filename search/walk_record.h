#pragma once
// The folders a counting walk listed, kept for the search run that follows it:
// the run takes their entries from here instead of listing them once more.
// Listing costs system calls for every entry (under Wine a stat and an attribute
// read each), as much again as the count itself.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/fs/dir_listing.h"

namespace trovex::search {

class WalkRecord {
 public:
  // A tree whose record would take more bytes is not kept (an entry takes some
  // dozens besides its name): its run lists the folders itself.
  static constexpr std::size_t kMaxBytes = 32u << 20;

  struct Folder {
    int error = 0;                      // the listing's Error()
    std::vector<fs::DirEntry> entries;  // without "." and ".."
  };

  explicit WalkRecord(std::size_t maxBytes = kMaxBytes) : maxBytes_(maxBytes) {}

  // A folder the counting walk listed for the first time in its run. Past the
  // limit the whole record is given up.
  void Keep(const std::string& folder, Folder listed);
  // The record holds every folder its walk listed.
  bool Whole() const { return !givenUp_; }
  // The folder as listed; nothing for a folder the walk did not list (one it had
  // listed already through another path, or one below the depth it walks to).
  const Folder* Find(const std::string& folder) const;

 private:
  std::size_t maxBytes_;
  std::size_t bytes_ = 0;
  bool givenUp_ = false;
  std::unordered_map<std::string, Folder> folders_;
};

}  // namespace trovex::search
