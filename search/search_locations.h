#pragma once
// What a run (or its pre-count) walks.
#include <string>
#include <vector>

namespace trovex::search {

struct SearchLocations {
  // Every logical drive, one after another (the drive level of the browser).
  bool everyDrive = false;
  // Otherwise these folders or drives, in this order.
  std::vector<std::string> paths;
};

}  // namespace trovex::search
