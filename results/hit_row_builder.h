#pragma once
// Builds the row of a hit line: one shell request for the file's names and icon,
// one directory search for its size and time, one small read for the snippet.
#include <string>

#include "results/hit_record.h"
#include "results/hit_snippet.h"

namespace trovex::results {

HitRecord BuildHitRecord(const std::string& hitLine, const SnippetInputs& snippet);

// The snippet of a row; empty for a file that no longer matched ("-1").
std::string RowSnippet(const std::string& path, const std::string& offsetText,
                       const SnippetInputs& snippet);

}  // namespace trovex::results
