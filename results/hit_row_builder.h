#pragma once
// Builds the rows of hit lines: a directory search for a file's size and time, the
// shell's names and icon (asked once per kind of file, see shell_answer_cache.h)
// and one small read for the snippet. One builder serves one result window.
#include <string>

#include "results/hit_record.h"
#include "results/hit_snippet.h"
#include "results/shell_answer_cache.h"

namespace trovex::results {

class HitRowBuilder {
 public:
  HitRowBuilder();
  HitRecord Build(const std::string& hitLine, const SnippetInputs& snippet);

 private:
  ShellAnswerCache shellAnswers_;
};

// The snippet of a row; empty for a file that no longer matched ("-1").
std::string RowSnippet(const std::string& path, const std::string& offsetText,
                       const SnippetInputs& snippet);

}  // namespace trovex::results
