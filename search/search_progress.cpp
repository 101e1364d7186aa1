#include "search/search_progress.h"

namespace trovex::search {

void HitList::Add(Hit hit) {
  std::lock_guard<std::mutex> lock(mutex_);
  hits_.push_back(std::move(hit));
}

void HitList::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  hits_.clear();
}

void HitList::Assign(std::vector<Hit> hits) {
  std::lock_guard<std::mutex> lock(mutex_);
  hits_ = std::move(hits);
}

std::size_t HitList::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return hits_.size();
}

Hit HitList::At(std::size_t index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return index < hits_.size() ? hits_[index] : Hit();
}

std::vector<Hit> HitList::HitsFrom(std::size_t first) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (first >= hits_.size()) return {};
  return std::vector<Hit>(hits_.begin() + static_cast<std::ptrdiff_t>(first), hits_.end());
}

void SearchProgress::SetCurrentFile(std::string_view path) {
  std::lock_guard<std::mutex> lock(currentFileMutex_);
  currentFile_.assign(path);
}

std::string SearchProgress::CurrentFile() const {
  std::lock_guard<std::mutex> lock(currentFileMutex_);
  return currentFile_;
}

}  // namespace trovex::search
