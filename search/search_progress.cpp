#include "search/search_progress.h"

namespace trovex::search {

void HitList::Add(std::string line) {
  std::lock_guard<std::mutex> lock(mutex_);
  lines_.push_back(std::move(line));
}

void HitList::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  lines_.clear();
}

std::size_t HitList::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_.size();
}

std::string HitList::At(std::size_t index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return index < lines_.size() ? lines_[index] : std::string();
}

std::vector<std::string> HitList::LinesFrom(std::size_t first) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (first >= lines_.size()) return {};
  return std::vector<std::string>(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                                  lines_.end());
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
