// The result window's snippets. Its rows come without them (see snippet_filler.h):
// the filler reads those the list shows first, then, once the rows are complete,
// the others in row order; whatever needs every snippet reads the rest itself.
#include <algorithm>
#include <chrono>
#include <optional>

#include "results/view_dlg.h"

namespace trovex::results {

bool TViewDlg::SnippetsDue() const {
  return std::any_of(rows_.begin(), rows_.end(), [](const HitRecord& r) { return r.contentDue; });
}

const std::string& TViewDlg::ContentCell(std::size_t row) {
  const HitRecord& r = rows_[row];
  if (r.contentDue) snippetFiller_.Want(row, r);
  return r.content;
}

void TViewDlg::FillFoundSnippets(std::size_t from) {
  for (std::size_t row = from; row < rows_.size(); ++row) {
    HitRecord& r = rows_[row];
    if (!r.contentDue) continue;
    if (auto found = FoundSnippet(r, setup_.snippet)) {
      r.content = std::move(*found);
      r.contentDue = false;
    }
  }
}

void TViewDlg::SnippetsArrived() {
  std::vector<SnippetFiller::Done> read;
  snippetFiller_.Take(read);
  const ui::ListView::RowRange shown = ListView1.RowsInView();
  for (SnippetFiller::Done& done : read) {
    if (done.row >= rows_.size()) continue;
    HitRecord& row = rows_[done.row];
    // A row that changed since it was asked for keeps waiting for its own snippet.
    if (!row.contentDue || static_cast<const search::Hit&>(row) != done.hit) continue;
    row.content = std::move(done.content);
    row.contentDue = false;
    if (shown.Holds(done.row)) ListView1.RefreshRow(done.row);
  }
  QueueDueSnippets();
}

void TViewDlg::QueueDueSnippets() {
  // While rows are added the files are the feeder's: only the rows shown are read.
  if (ProducingRows() || snippetFiller_.Queued() >= kSnippetBatch / 2) return;
  std::vector<SnippetFiller::Job> jobs;
  for (; snippetCursor_ < rows_.size() && jobs.size() < kSnippetBatch; ++snippetCursor_) {
    if (rows_[snippetCursor_].contentDue) jobs.push_back({snippetCursor_, rows_[snippetCursor_]});
  }
  snippetFiller_.Queue(std::move(jobs));
}

void TViewDlg::SnippetRowsChanged() {
  snippetFiller_.Restart(setup_.snippet);
  snippetCursor_ = 0;
  QueueDueSnippets();
}

bool TViewDlg::CompleteSnippets() {
  if (!SnippetsDue()) return true;
  // While rows are still added, the busy state and 中止 are the run's own: the walk
  // answers messages all the same, and a stop of the run stops it too.
  const bool rowsComing = Timer1.Enabled();
  std::optional<RowSearchScope> busy;
  if (!rowsComing) busy.emplace(*this);
  const auto stopped = [&] {
    return rowsComing ? StopRequested || ModalResult() != ui::mrNone
                      : state_.Progress.cancelRequested.load();
  };
  readingSnippets_ = true;
  // The filler's jobs go (its threads would read the same files); those this walk
  // leaves, stopped, are queued again from the first row once it is over.
  SnippetRowsChanged();
  using Clock = std::chrono::steady_clock;
  auto handled = Clock::now();
  bool complete = true;
  // By index: a run's rows go on arriving behind the walk.
  const std::size_t count = rows_.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (Clock::now() - handled >= std::chrono::milliseconds(kRowBatchMilliseconds)) {
      HandleMessagesInWalk();
      handled = Clock::now();
    }
    if (stopped()) {
      complete = false;
      break;
    }
    HitRecord& row = rows_[i];
    if (row.contentDue) {
      row.content = HitSnippet(row, setup_.snippet);
      row.contentDue = false;
    }
    if (busy) ColorProgressBar1.StepIt();
  }
  readingSnippets_ = false;
  return complete;
}

}  // namespace trovex::results
