#pragma once
// EUC-JP <-> CP932 by arithmetic: both are ways of writing JIS X 0208 (and the
// half-width katakana of JIS X 0201), so no table is needed. CP932's own extension
// characters (NEC row 13, the IBM rows, user-defined codes) have no EUC-JP form.
#include <string>
#include <string_view>

namespace trovex::text {

// The EUC-JP bytes of the CP932 character at `pos` (see Cp932CharLength). Returns
// the number of bytes written to `out` (1 or 2), or 0 when EUC-JP has no form for
// it (an extension character, or a lead byte without its trail byte).
int Cp932CharToEucJp(std::string_view cp932, std::size_t pos, char out[2]);

// The whole text in EUC-JP, or nothing when one of its characters has no form.
bool Cp932ToEucJp(std::string_view cp932, std::string& out);

// EUC-JP bytes up to the first zero byte as CP932 text for display: a character
// CP932 cannot hold (JIS X 0212 after 0x8F) or a byte that starts no character
// becomes one space; a character cut off at the end is dropped.
std::string EucJpToCp932Lenient(std::string_view eucJp);

}  // namespace trovex::text
