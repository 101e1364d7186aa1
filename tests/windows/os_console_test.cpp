// Lines of the console tool: UTF-16 to a console of any code page, bytes to a pipe.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/os/console_text.h"

using trovex::os::OutputEncoding;
using trovex::os::WriteConsoleLine;

namespace {

// A console screen buffer of its own, opened as a C stream, so the console the
// test runs in (if any) keeps its text. Under the test runner the process has no
// usable console: it then leaves the one it may hold and makes one for the test.
class ConsoleBuffer {
 public:
  ConsoleBuffer() {
    buffer_ = NewScreenBuffer();
    if (buffer_ == INVALID_HANDLE_VALUE) {
      FreeConsole();
      madeConsole_ = AllocConsole();
      buffer_ = NewScreenBuffer();
    }
    if (buffer_ == INVALID_HANDLE_VALUE) return;
    oldCodePage_ = GetConsoleOutputCP();
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(buffer_), _O_WRONLY);
    if (descriptor >= 0) stream_ = _fdopen(descriptor, "w");
  }
  ~ConsoleBuffer() {
    if (stream_)
      std::fclose(stream_);  // closes the buffer's handle too
    else if (buffer_ != INVALID_HANDLE_VALUE)
      CloseHandle(buffer_);
    if (oldCodePage_ != 0) SetConsoleOutputCP(oldCodePage_);
    if (madeConsole_) FreeConsole();
  }

  std::FILE* Stream() const { return stream_; }

  // The characters of row `y`, trailing blanks cut off.
  std::wstring Row(SHORT y) const {
    wchar_t cells[80];
    DWORD read = 0;
    if (!ReadConsoleOutputCharacterW(buffer_, cells, 80, COORD{0, y}, &read)) return L"<unread>";
    std::wstring row(cells, read);
    row.erase(row.find_last_not_of(L' ') + 1);
    return row;
  }

  COORD Cursor() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(buffer_, &info);
    return info.dwCursorPosition;
  }

 private:
  static HANDLE NewScreenBuffer() {
    return CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     CONSOLE_TEXTMODE_BUFFER, nullptr);
  }

  bool madeConsole_ = false;
  UINT oldCodePage_ = 0;
  HANDLE buffer_ = INVALID_HANDLE_VALUE;
  std::FILE* stream_ = nullptr;
};

// The bytes one WriteConsoleLine call puts into a pipe.
std::string ThroughPipe(const std::string& line, OutputEncoding encoding, char lineEnd = '\n') {
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16)) return "<no pipe>";
  std::FILE* stream =
      _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_WRONLY), "wb");
  WriteConsoleLine(stream, line, encoding, lineEnd);
  std::fclose(stream);
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(readEnd);
  return bytes;
}

}  // namespace

TEST(ConsoleText, LinesToAConsoleAreWideTextWhateverItsCodePage) {
  ConsoleBuffer console;
  ASSERT_NE(console.Stream(), nullptr) << "no console buffer: " << GetLastError();
  // A code page without Japanese: bytes written as they are would show as other letters.
  ASSERT_TRUE(SetConsoleOutputCP(437));
  // CP932 with 検's lead byte cut off at the end.
  WriteConsoleLine(console.Stream(), "C:\\表\\a.txt=5 検索の内容\x8C", OutputEncoding::kAutomatic);
  WriteConsoleLine(console.Stream(), "second", OutputEncoding::kAutomatic);
  EXPECT_EQ(console.Row(0), L"C:\\表\\a.txt=5 検索の内容\xFFFD");
  EXPECT_EQ(console.Row(1), L"second");
  EXPECT_EQ(console.Cursor().Y, 2);
  EXPECT_EQ(console.Cursor().X, 0);
}

TEST(ConsoleText, PipesGetBytesInTheChosenEncoding) {
  const std::string line = "表\\a=1\t内容\x8C";  // 表's trail byte is a backslash
  // Without a choice a pipe gets the CP932 bytes as they are, cut character included.
  EXPECT_EQ(ThroughPipe(line, OutputEncoding::kAutomatic), line + "\n");
  EXPECT_EQ(ThroughPipe(line, OutputEncoding::kCp932), line + "\n");
  EXPECT_EQ(ThroughPipe(line, OutputEncoding::kUtf8),
            reinterpret_cast<const char*>(u8"表\\a=1\t内容\uFFFD\n"));
  // --null: a NUL ends the line instead, in every encoding.
  EXPECT_EQ(ThroughPipe(line, OutputEncoding::kAutomatic, '\0'), line + '\0');
  EXPECT_EQ(ThroughPipe(line, OutputEncoding::kUtf8, '\0'),
            reinterpret_cast<const char*>(u8"表\\a=1\t内容\uFFFD") + std::string(1, '\0'));
}
