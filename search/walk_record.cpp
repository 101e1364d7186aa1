#include "search/walk_record.h"

namespace trovex::search {

void WalkRecord::Keep(const std::string& folder, Folder listed) {
  if (givenUp_) return;
  bytes_ += sizeof(Folder) + 2 * sizeof(void*) + folder.size() +
            listed.entries.size() * sizeof(fs::DirEntry);
  for (const fs::DirEntry& entry : listed.entries) bytes_ += entry.name.size();
  if (bytes_ > maxBytes_) {
    givenUp_ = true;
    folders_.clear();
    return;
  }
  folders_.insert_or_assign(folder, std::move(listed));
}

const WalkRecord::Folder* WalkRecord::Find(const std::string& folder) const {
  const auto kept = folders_.find(folder);
  return kept == folders_.end() ? nullptr : &kept->second;
}

}  // namespace trovex::search
