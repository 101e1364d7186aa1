#pragma once
// What the worker and the result window share during a run. The worker is the
// only writer of the hit list, filesExamined and currentFile; the window reads
// them on its timer while the worker runs.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "search/hit.h"

namespace trovex::search {

// The hits of the current result in the order found; safe for one writer and
// readers on other threads.
class HitList {
 public:
  void Add(Hit hit);
  void Clear();
  // Replaces the whole list (a loaded history, the rows of a save).
  void Assign(std::vector<Hit> hits);
  std::size_t Count() const;
  // An empty hit past the end.
  Hit At(std::size_t index) const;
  // Copies of the hits from `first` on: what a reader has not seen yet.
  std::vector<Hit> HitsFrom(std::size_t first) const;
  std::vector<Hit> Hits() const { return HitsFrom(0); }

 private:
  mutable std::mutex mutex_;
  std::vector<Hit> hits_;
};

// Told of a file or folder that the system refused to open, list or read: its
// path as walked (a folder ends with the separator) and the system's error code
// (see fs::SystemErrorText). Called on the worker thread. The desktop program
// leaves it empty: there such failures are silent, the file is simply no hit.
using ReadFailureReport = std::function<void(const std::string& path, int systemError)>;

struct SearchProgress {
  std::atomic<bool> cancelRequested{false};
  HitList hitList;
  std::atomic<std::uint64_t> filesExamined{0};
  std::atomic<std::uint64_t> totalFiles{0};
  // Written and read on the user-interface thread (the counting walk and the
  // pre-count dialog).
  std::string countingRoot;
  // Folders of the walk that cannot be listed (see ReadFailureReport).
  ReadFailureReport folderFailure;

  // Called for every file of a walk: reuses the stored text's room.
  void SetCurrentFile(std::string_view path);
  std::string CurrentFile() const;

 private:
  mutable std::mutex currentFileMutex_;
  std::string currentFile_;
};

}  // namespace trovex::search
