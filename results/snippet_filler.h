#pragma once
// Reads the snippets of a result's rows on threads of their own. A row comes
// without its snippet, because reading one opens the row's file, which costs far
// more than the rest of the row: a long list is complete long before its snippets
// are. The rows on screen are read first, the newest asked first (the list shows
// what it asked for last); the rest follow as the window queues them.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "results/hit_snippet.h"
#include "search/hit.h"

namespace trovex::results {

class SnippetFiller {
 public:
  struct Job {
    std::size_t row = 0;  // the row's index when it was asked for
    search::Hit hit;
  };
  struct Done {
    std::size_t row = 0;
    search::Hit hit;  // the row must still be this hit for the snippet to be its
    std::string content;
  };
  // Reads one snippet; called on the filler's threads.
  using Read = std::function<std::string(const search::Hit& hit, const SnippetInputs& inputs)>;
  // Called on a filler thread when results wait to be taken and none did before.
  using Ready = std::function<void()>;

  SnippetFiller(Read read, Ready ready, unsigned threads);
  ~SnippetFiller();
  SnippetFiller(const SnippetFiller&) = delete;
  SnippetFiller& operator=(const SnippetFiller&) = delete;

  // Drops every job and every result not taken yet; what is asked from now on is
  // read with `inputs`. For a window whose rows moved or changed.
  void Restart(const SnippetInputs& inputs);
  // A row on screen: read before anything queued. Asking for a row whose job
  // waits or runs, or whose result has not been taken, adds nothing (here and in
  // Queue).
  void Want(std::size_t row, const search::Hit& hit);
  // Rows to read when no row on screen waits, in this order.
  void Queue(std::vector<Job> jobs);
  // Queued jobs not started yet.
  std::size_t Queued() const;
  // No job waits or runs and every result has been taken.
  bool Idle() const;
  // Moves the results read since the last call to the end of `out`.
  void Take(std::vector<Done>& out);

 private:
  void Work();

  // Rows asked for on screen beyond this are the oldest asked, long scrolled away.
  static constexpr std::size_t kMaxWanted = 1024;

  const Read read_;
  const Ready ready_;
  mutable std::mutex mutex_;
  std::condition_variable work_;
  bool stopping_ = false;
  unsigned long generation_ = 0;
  unsigned running_ = 0;  // jobs being read
  SnippetInputs inputs_;
  std::deque<Job> wanted_;                 // the newest at the back
  std::unordered_set<std::size_t> asked_;  // rows waiting, running or read and not taken
  std::deque<Job> queued_;
  std::vector<Done> done_;
  std::vector<std::thread> threads_;  // last: start once the rest is in place
};

}  // namespace trovex::results
