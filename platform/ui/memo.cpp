#include "platform/ui/memo.h"

#include "platform/text/text_lines.h"

#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

DWORD MemoWindowStyle(const MemoStyle& style) {
  DWORD bits = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (!style.wordWrap) bits |= ES_AUTOHSCROLL;
  if (!style.hideSelection) bits |= ES_NOHIDESEL;
  const bool horizontal =
      style.scrollBars == ScrollBars::Horizontal || style.scrollBars == ScrollBars::Both;
  const bool vertical =
      style.scrollBars == ScrollBars::Vertical || style.scrollBars == ScrollBars::Both;
  if (horizontal && !style.wordWrap) bits |= WS_HSCROLL;
  if (vertical) bits |= WS_VSCROLL;
  return bits;
}

}  // namespace

Memo::Memo(Control* parent, MemoStyle style) : Edit(parent, MemoWindowStyle(style)) {
  SetBounds(0, 0, 185, 89);
  // No limit but memory: an edit box takes 32,767 characters unless told otherwise,
  // and a long log would silently stop growing.
  SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
}

std::vector<std::string> Memo::Lines() const { return text::SplitTextLines(Text()); }

void Memo::SetLines(const std::vector<std::string>& lines) { SetText(text::JoinLinesCrLf(lines)); }

void Memo::AddLine(std::string_view line) {
  // The line goes in at the end as a replacement of an empty selection, which
  // leaves the rest of the text alone and brings the caret, and the view, there.
  // Only the last line's length is asked, so that adding stays cheap in a long text:
  // the text ends with a line break exactly when its last line is empty.
  const int length = GetWindowTextLengthW(hwnd_);
  const auto lines = static_cast<WPARAM>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
  const LRESULT lastLineStart = SendMessageW(hwnd_, EM_LINEINDEX, lines - 1, 0);
  const bool endsWithBreak =
      length == 0 || SendMessageW(hwnd_, EM_LINELENGTH, static_cast<WPARAM>(lastLineStart), 0) == 0;
  std::wstring added;
  if (!endsWithBreak) added = L"\r\n";
  added += Widen(line) + L"\r\n";
  const auto end = static_cast<WPARAM>(length);
  SendMessageW(hwnd_, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
}

void Memo::ScrollToEnd() {
  const int length = GetWindowTextLengthW(hwnd_);
  SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(length), length);
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

int Memo::TopLine() const {
  return static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
}

}  // namespace trovex::ui
