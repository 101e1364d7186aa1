#pragma once
// The text rules of renaming a history file in the history list: what the user
// typed becomes a file name base that the file system takes, and the file keeps
// its ".txd" extension in its own folder.
#include <string>
#include <string_view>

namespace trovex::results {

// `text` without its trailing extension: from its last "." on, unless a "\" or
// ":" comes after that "." ("a.b\c" keeps everything). A trail byte 0x5C of a
// double-byte character is no "\".
std::string WithoutTrailingExtension(std::string_view text);

// Every single-byte character a file name cannot hold becomes its full-width
// form: . / " : ; * < > ? \ | (in that order). A byte of that value that is the
// trail byte of a double-byte character ("ソ" is 0x83 0x5C) stays as it is.
std::string ReplaceFileNameCharacters(std::string_view text);

// What the file's name (without ".txd") becomes for the typed `text`: the two
// rules above, in that order.
std::string RenamedBase(std::string_view text);

// True when the typed `text` equals the row's `caption` with letter case
// ignored (the locale's lower-casing): such an edit changes nothing.
bool SameCaptionIgnoringCase(std::string_view text, std::string_view caption);

// The new path of the history file at `path` for `base`: the folder of `path`
// (with its separator) + base + ".txd".
std::string RenamedHistoryPath(std::string_view path, std::string_view base);

}  // namespace trovex::results
