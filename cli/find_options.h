#pragma once
// The command line of trovex-find:
//   trovex-find [options] CONTENT [LOCATION...]
// Each option stands for a control of the main window; the fields carry the
// controls' names. "--" ends the options.
#include <optional>
#include <string>
#include <vector>

#include "search/search_conditions.h"

namespace trovex::cli {

struct FindOptions {
  std::string content;                 // CONTENT as given on the command line
  std::vector<std::string> locations;  // none: every drive

  bool OptionChkBox = false;     // --options
  bool BigSmlChkBox = false;     // --case
  bool FullHalfChkBox = true;    // --fold unchecks it
  bool CheckBox1 = false;        // --comma-text
  bool Utf16ChkBox = false;      // --utf16
  bool CheckBox2 = false;        // --skip-breaks
  bool HideChkBox = false;       // --hidden
  bool SysChkBox = false;        // --system

  std::string Edit2Text;         // --name
  bool JogaiChkBox1 = false;     // --exclude-names

  bool SizeChkBox = false;       // on with any of --size, --unit, --at-least, --at-most
  int sizeNumber = 10;           // --size, 1 to 1024
  int sizeUnitIndex = 1;         // --unit: B 0, KB 1, MB 2, GB 3
  bool sizeAtLeast = false;      // --at-least / --at-most

  bool DateChkMenu = false;      // on with --year or --from/--to
  std::string yearText;          // --year
  double dateFrom = search::kDatePickerInitialValue;  // --from, time of day 09:49:05
  double dateTo = search::kDatePickerInitialValue;    // --to
  bool JogaiChkBox2 = false;     // --exclude-dates

  bool cached = false;           // --cached: read through the system cache
  bool count = false;            // --count: pre-count and report it on stderr

  bool snippet = false;          // --snippet: a tab and the hit's snippet after each offset
  int RadioGroup1 = 0;           // --binary-display hex (0) | chars (1)
  bool fromUtf8 = false;         // --from-utf8: the content was converted from UTF-8 text
  bool fromUtf16 = false;        // --from-utf16: ... from UTF-16 text
};

// Parses the arguments after the program name. On failure returns nullopt and
// sets `error` to a one-line reason.
std::optional<FindOptions> ParseFindOptions(const std::vector<std::string>& arguments,
                                            std::string& error);

// The usage line shown with a bad command line.
const char* FindUsage();

}  // namespace trovex::cli
