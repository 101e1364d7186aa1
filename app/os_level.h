#pragma once
// The class of the running Windows version, which a few features compare against 1
// (above 1: an NT-class system from Windows 2000 on).
namespace trovex::app {

// 0/1: the 9x line (1 from ME on); 2: 2000; 3: XP/2003; 4: Vista; 5: 7 and later 6.x;
// 6: any other NT major version. A system that has QueryFullProcessImageNameW is at
// least 5, whatever it reports.
int ClassifyOsLevel(bool nt, unsigned major, unsigned minor, bool hasQueryFullProcessImageName);

}  // namespace trovex::app
