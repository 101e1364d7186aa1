#pragma once
// Hands a help page to the external help viewer: to its running window when it
// has one, otherwise by starting "Help\Quillbox.exe" with the page; without that
// program, to the web browser when the page is installed.
#include <functional>
#include <string>

namespace trovex::app {

struct HelpContext {
  std::string programDir;                 // ends with "\"
  void* ownerWindow = nullptr;            // the calling window (sender of the page)
  std::function<void()> processMessages;  // pending window messages, while waiting
};

inline constexpr const char* kHelpViewerClass = "TVemkoHelpDlg";
inline constexpr int kHelpViewerWaitRounds = 3000;  // rounds of 1 ms

// The help file path for an anchor ("" or e.g. "#fileview").
std::string HelpTarget(const std::string& programDir, const std::string& anchor);

// "file:///" and the path with "/" for "\", its spaces, "#" and "%" escaped.
std::string FileAddress(const std::string& path);

void OpenHelp(const HelpContext& context, const std::string& anchor);

}  // namespace trovex::app
