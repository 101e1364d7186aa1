#pragma once
// The program's shared state: what the main window owns for the life of the
// process and hands, by reference, to the windows that need it (the location
// browser, the option panel, the result window and the dialogs they open).
#include <cstdint>
#include <string>
#include <vector>

#include "results/exit_mode.h"
#include "results/hit_snippet.h"
#include "results/hit_sort.h"
#include "results/history_list.h"
#include "search/search_conditions.h"
#include "search/search_progress.h"
#include "search/search_query.h"

namespace trovex::results {

// The values kept in the settings key between runs, with their defaults; read
// once when the main window is made and written once when it closes.
struct StoredSettings {
  // The folder the location browser shows (empty: the drive level).
  std::string CurrentPath;
  // The result the power action saved unattended, and whether it is still unopened.
  std::string PendingResultsPath;
  bool PendingResultsFlag = false;
  bool PrsRowChecked = false;    // the binary view shows extra rows
  bool TextOnlyChecked = false;  // the binary view reads .rtf as plain text
  results::ExitMode ExitMode = results::ExitMode::LogOff;  // the power action after a search
  BinaryDisplay ByteListDisplay = BinaryDisplay::Hex;      // how byte-list hits show (RadioGroup1)
  // The encodings a typed text is searched in (CodeComboBox): 0 every one, 1 Shift-JIS alone.
  std::int32_t EncodingIndex = 0;
};

struct ProgramState {
  // Folders and system probes, set when the main window is made.
  std::string ProgramDir;
  std::string SharedDataDir;
  std::string UserDataDir;
  std::string ErrorLogPath;
  int OsLevel = 0;
  int ColorDepth = 0;

  // The current search: the parsed content, the conditions taken at Start, and
  // what the worker and the result window share during a run (the hit list).
  search::SearchQuery Query;
  search::SearchConditions Conditions;
  search::SearchProgress Progress;

  // The current result's bookkeeping.
  std::vector<std::string> SearchContentList;
  std::string OpenHistoryPath;
  bool UnsavedNewResult = false;

  // The sort directions of the result windows' columns, shared by every window.
  SortDirections ResultSortDirections;
  // The same for the history list's columns.
  HistoryListSortDirections HistoryListDirections;

  // The error log in memory, written back at close.
  std::vector<std::string> ErrorLogList;

  // Kept between runs: the browser's folder, the power action and its saved
  // result, the binary view's and the content display's options, the encodings
  // a text is searched in.
  StoredSettings Settings;
};

}  // namespace trovex::results
