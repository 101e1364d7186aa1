#pragma once
// The system's own words for an error code of the file services.
#include <string>

namespace trovex::fs {

// The text for `code` (errno; Windows: GetLastError) as the system words it, on one
// line without a final full stop: "Permission denied". Windows: CP932.
std::string SystemErrorText(int code);

// The code of "the path is too long", for a folder nested deeper than a walk goes.
int PathTooLongError();

// The code of "the data is invalid", for an archive that is damaged or encrypted.
int DamagedDataError();

}  // namespace trovex::fs
