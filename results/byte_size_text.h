#pragma once
// A byte count as the windows show it: a rounded whole number and its unit.
#include <cstdint>
#include <string>

namespace trovex::results {

// The count in the largest of TB, GB, MB, KB (powers of 1024) it reaches, else
// in B, rounded to the nearest whole number with halves up; no space, no decimal
// point: "0B", "1023B", "2KB" for 1536, "1024KB" for 1048575.
std::string FormatByteSize(std::uint64_t bytes);

}  // namespace trovex::results
