#pragma once
// The program's one version. The version window, trovex-find --version, the
// executables' version resources and the setup program all take it from here (the
// resource compiler reads the macros; installer/identity.cmake reads the text).
#define TROVEX_VERSION_MAJOR 1
#define TROVEX_VERSION_MINOR 1
#define TROVEX_VERSION_RELEASE 3
#define TROVEX_VERSION_BUILD 1
#define TROVEX_VERSION_TEXT "1.1.3.1"

#ifndef RC_INVOKED
#include <string_view>

#define TROVEX_VERSION_DIGIT_(n) #n
#define TROVEX_VERSION_DIGIT(n) TROVEX_VERSION_DIGIT_(n)

namespace trovex::results {

inline constexpr std::string_view kVersionText = TROVEX_VERSION_TEXT;
// The four characters compared with an archive's version on the update page.
inline constexpr std::string_view kVersionDigits =
    TROVEX_VERSION_DIGIT(TROVEX_VERSION_MAJOR) TROVEX_VERSION_DIGIT(TROVEX_VERSION_MINOR)
        TROVEX_VERSION_DIGIT(TROVEX_VERSION_RELEASE) TROVEX_VERSION_DIGIT(TROVEX_VERSION_BUILD);

static_assert(kVersionDigits.size() == 4, "each part of the version is one digit");
static_assert(kVersionText.size() == 7 && kVersionText[0] == kVersionDigits[0] &&
                  kVersionText[2] == kVersionDigits[1] && kVersionText[4] == kVersionDigits[2] &&
                  kVersionText[6] == kVersionDigits[3],
              "the version text and its numbers agree");

}  // namespace trovex::results
#endif
