#pragma once
// The error log's texts: an entry as it is added, the log as the viewer shows it,
// the list a text becomes again, the file's bytes and the viewer's status line.
// Failures nobody saw when they happened (the power action runs unattended) are
// kept here for the user to read later.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trovex::results {

// One entry as one item of ErrorLogList: "[" + dateTime + "]", a single LF, then
// the message after one blank.
std::string ErrorLogEntry(std::string_view dateTime, std::string_view message);

// The log as the viewer shows it: every line of every item ended by CR LF. An
// entry added in this run holds a lone LF, which an edit box would not break at.
std::string ErrorLogViewText(const std::vector<std::string>& errorLogList);

// The items a text becomes (the file at start, the viewer's text when kept):
// CR, LF and CR LF each end one, so a reloaded entry is two items.
std::vector<std::string> ErrorLogListOfText(std::string_view text);

// The file's bytes: the items one after another, each followed by CR LF, as
// they are (an entry of this run keeps its single LF).
std::string ErrorLogFileText(const std::vector<std::string>& errorLogList);

// The entries a text holds: its lines (an empty last one not counted) halved,
// rounded toward zero, as every entry is two lines.
std::size_t ErrorLogEntryCount(std::string_view text);

// The viewer's status line: "log count 2   file size 70B".
std::string ErrorLogStatusText(std::string_view text);

}  // namespace trovex::results
