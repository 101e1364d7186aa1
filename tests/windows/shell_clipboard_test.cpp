// Clipboard file lists through the real clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "platform/shell/clipboard_files.h"
#include "platform/shell/drop_files.h"

namespace trovex::os_shell {
namespace {

// A hidden window to own the clipboard.
class ClipboardOwner {
 public:
  ClipboardOwner()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {}
  ~ClipboardOwner() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

// The raw CF_HDROP block on the clipboard; empty when there is none.
std::string ClipboardBlock() {
  std::string bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  if (HGLOBAL memory = GetClipboardData(CF_HDROP)) {
    if (const void* data = GlobalLock(memory)) {
      bytes.assign(static_cast<const char*>(data), GlobalSize(memory));
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return bytes;
}

void PutText(HWND owner, const wchar_t* text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text, bytes);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

TEST(ShellClipboardFiles, JapanesePathsRoundTripInOrder) {
  ClipboardOwner owner;
  ASSERT_NE(owner.Handle(), nullptr);
  WindowsClipboardFiles clipboard;
  const std::vector<std::string> paths = {"C:\\データ\\表ソ.txt", "C:\\b.log",
                                          "Z:\\ﾊﾝｶｸ\\検索.doc"};
  ASSERT_TRUE(clipboard.PutFiles(owner.Handle(), paths));
  EXPECT_EQ(clipboard.GetFiles(), paths);
  // The clipboard holds exactly the block built for these paths.
  const std::string expected = BuildDropFilesFromCp932(paths);
  const std::string block = ClipboardBlock();
  ASSERT_GE(block.size(), expected.size());
  EXPECT_EQ(block.substr(0, expected.size()), expected);

  // A second copy replaces the first.
  ASSERT_TRUE(clipboard.PutFiles(owner.Handle(), {"C:\\one"}));
  EXPECT_EQ(clipboard.GetFiles(), std::vector<std::string>{"C:\\one"});
}

TEST(ShellClipboardFiles, NothingToPutLeavesTheClipboardAsItWas) {
  ClipboardOwner owner;
  WindowsClipboardFiles clipboard;
  PutText(owner.Handle(), L"text");
  EXPECT_TRUE(clipboard.GetFiles().empty());  // text is no file list
  EXPECT_FALSE(clipboard.PutFiles(owner.Handle(), {}));
  EXPECT_FALSE(
      clipboard.PutFiles(owner.Handle(), {std::string("\x81", 1)}));  // a cut character only
  EXPECT_FALSE(clipboard.PutFiles(nullptr, {"C:\\one"}));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_HDROP));
}

}  // namespace
}  // namespace trovex::os_shell
