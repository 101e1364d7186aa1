#pragma once
// Builds the rows of hits: a directory search for a file's size and time, and the
// shell's names and icon (asked once per kind of file, see shell_answer_cache.h).
// The snippet is left due: opening the file for it costs more than the rest of the
// row, so it is read later, for the rows on screen first (snippet_filler.h).
#include <memory>
#include <mutex>
#include <string>

#include "results/hit_record.h"
#include "results/row_feeder.h"
#include "results/shell_answer_cache.h"

namespace trovex::results {

class HitRowBuilder {
 public:
  // With `shellLock`, the shell is asked only while holding it (builders on
  // several threads).
  explicit HitRowBuilder(std::mutex* shellLock = nullptr);
  HitRecord Build(const search::Hit& hit);

 private:
  ShellAnswerCache shellAnswers_;
};

// A row maker for a feeder thread: COM for that thread while it lives, the shell
// asked under `shellLock`.
std::unique_ptr<RowMaker> MakeShellRowMaker(std::mutex& shellLock);

}  // namespace trovex::results
