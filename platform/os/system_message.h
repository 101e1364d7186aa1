#pragma once
// The system's own text for an error code, for a log entry that names no message.
#include <cstdint>
#include <string>

namespace trovex::os {

// The message table's text for `code` in the neutral language (CP932), trailing
// blanks and line ends removed; empty when the system has none.
std::string SystemMessageText(std::uint32_t code);

}  // namespace trovex::os
