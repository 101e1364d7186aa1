#include "platform/ui/edit.h"

#include <imm.h>

#include <string>

#include "platform/ui/wide.h"

namespace trovex::ui {

Edit::Edit(Control* parent) : Edit(parent, ES_AUTOHSCROLL) {}

Edit::Edit(Control* parent, DWORD extraStyle) : Control(parent) {
  CreateHandle(L"EDIT", extraStyle | WS_TABSTOP | WS_VISIBLE, WS_EX_CLIENTEDGE, true, 121, 21);
  SetColor(clWindow);
}

void Edit::SetReadOnly(bool readOnly) { SendMessageW(hwnd_, EM_SETREADONLY, readOnly, 0); }

void Edit::SetNumbersOnly(bool numbersOnly) {
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  style = numbersOnly ? (style | ES_NUMBER) : (style & ~ES_NUMBER);
  SetWindowLongW(hwnd_, GWL_STYLE, style);
}

void Edit::SetImeClosed(bool closed) { imeClosed_ = closed; }

void Edit::SelectAll() { SendMessageW(hwnd_, EM_SETSEL, 0, -1); }

int Edit::SelStart() const {
  DWORD start = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return BytesBefore(WideText(), static_cast<int>(start));
}

int Edit::SelLength() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring text = WideText();
  return BytesBefore(text, static_cast<int>(end)) - BytesBefore(text, static_cast<int>(start));
}

void Edit::SetSelection(int start, int length) {
  const std::string text = Text();
  SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(UnitsBefore(text, start)),
               static_cast<LPARAM>(UnitsBefore(text, start + length)));
}

void Edit::CommandNotify(WORD code) {
  if (code == EN_CHANGE) Fire(OnChange);
}

LRESULT Edit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFOCUS && imeClosed_) {
    if (HIMC context = ImmGetContext(hwnd_)) {
      ImmSetOpenStatus(context, FALSE);
      ImmReleaseContext(hwnd_, context);
    }
  }
  return Control::WndProc(msg, wParam, lParam);
}

}  // namespace trovex::ui
