#pragma once
// The program's shared state: what the main window owns for the life of the
// process and hands, by reference, to the windows that need it (the location
// browser, the option panel, the result window and the dialogs they open).
#include <string>
#include <vector>

#include "search/search_conditions.h"
#include "search/search_progress.h"
#include "search/search_query.h"

namespace trovex::results {

// Settings whose controls live in windows that keep them between runs (the binary
// view's check boxes, the content display option); held here until those controls
// take them over.
struct ControlSettings {
  bool PrsRowChecked = false;    // PrsRowChkBox
  bool TextOnlyChecked = false;  // TextOnlyChkBox
  int OptionIndex = 0;           // RadioGroup1 item index
};

struct ProgramState {
  // Folders and system probes, set when the main window is made.
  std::string ProgramDir;
  std::string SharedDataDir;
  std::string UserDataDir;
  std::string ErrorLogPath;
  int OsLevel = 0;
  int ColorDepth = 0;

  // The folder the location browser shows (empty: the drive level); kept in the settings.
  std::string CurrentPath;

  // The current search: the parsed content, the conditions taken at Start, and
  // what the worker and the result window share during a run (the hit list).
  search::SearchQuery Query;
  search::SearchConditions Conditions;
  search::SearchProgress Progress;

  // The current result's bookkeeping.
  std::vector<std::string> SearchContentList;
  std::string OpenHistoryPath;
  bool UnsavedNewResult = false;

  // The error log in memory, written back at close.
  std::vector<std::string> ErrorLogList;

  // The power action after a search, and the result it saved unattended.
  int ExitMode = 0;
  bool PendingResultsFlag = false;
  std::string PendingResultsPath;

  ControlSettings StoredControls;
};

}  // namespace trovex::results
