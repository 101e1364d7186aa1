#pragma once
// The one table of the settings' registry names and the fields they hold, used by
// both the read at start and the write at close.
#include <cstdint>
#include <string>
#include <variant>

#include "results/program_state.h"

namespace trovex::app {

using results::StoredSettings;

struct SettingValue {
  const char* name;
  std::variant<std::string StoredSettings::*, bool StoredSettings::*,
               std::int32_t StoredSettings::*, results::ExitMode StoredSettings::*,
               results::BinaryDisplay StoredSettings::*>
      field;
};

// In the order they are written at close.
inline constexpr SettingValue kSettingValues[] = {
    {"path", &StoredSettings::CurrentPath},
    {"extpath", &StoredSettings::PendingResultsPath},
    {"exit frg", &StoredSettings::PendingResultsFlag},
    {"prsrowfrg", &StoredSettings::PrsRowChecked},
    {"text only", &StoredSettings::TextOnlyChecked},
    {"shut downmode", &StoredSettings::ExitMode},
    {"option", &StoredSettings::ByteListDisplay},
    {"encoding", &StoredSettings::EncodingIndex},
};

// The ninth value: ProgramDir, written at start only when missing and never read.
inline constexpr const char* kUpdatePathValue = "updatepath";

}  // namespace trovex::app
