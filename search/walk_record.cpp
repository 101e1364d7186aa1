#include "search/walk_record.h"

namespace trovex::search {

void WalkRecord::Keep(const std::string& folder, Folder listed) {
  if (givenUp_) return;
  entries_ += listed.entries.size() + 1;
  if (entries_ > maxEntries_) {
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
