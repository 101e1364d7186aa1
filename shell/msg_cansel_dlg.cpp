#include "shell/msg_cansel_dlg.h"

#include <algorithm>

#include "platform/text/cp932.h"
#include "platform/ui/application.h"

namespace trovex::shell {
namespace {

bool nextIsTherefore = true;  // "∴ " comes next; kept for the program's life

// The first `count` characters of a CP932 text (a double-byte character is one).
std::string FirstCharacters(const std::string& text, int count) {
  std::size_t end = 0;
  for (int i = 0; i < count && end < text.size(); ++i) end += text::Cp932CharLength(text, end);
  return text.substr(0, std::min(end, text.size()));
}

}  // namespace

TMsgCanselDlg::TMsgCanselDlg(ui::Form* owner, std::atomic<bool>& cancelFlag, WorkFunction work,
                             std::function<std::string()> countingRoot)
    : ui::Form(owner),
      Panel1(this),
      CancelBtn(this, "キャンセル"),
      cancelFlag_(cancelFlag),
      work_(std::move(work)),
      countingRoot_(std::move(countingRoot)) {
  SetBorder(ui::BorderStyle::Dialog, ui::biSystemMenu);
  SetPosition(ui::FormPosition::OwnerFormCenter);
  SetClientSize(300, 88);
  SetCursor(ui::Cursor::Wait);
  Panel1.SetBevelOuter(ui::Bevel::Lowered);
  Panel1.SetBounds(8, 8, 284, 36);
  Panel1.SetCursor(ui::Cursor::Wait);
  CancelBtn.SetBounds(112, 52, 76, 26);
  CancelBtn.SetModalResult(ui::mrCancel);
  CancelBtn.SetCancel(true);
  CancelBtn.OnClick = ui::Bind(this, &TMsgCanselDlg::CancelBtnClick);
  SetCancelButton(&CancelBtn);

  Timer1.SetEnabled(false);
  Timer1.SetInterval(10);
  Timer1.OnTimer = ui::Bind(this, &TMsgCanselDlg::Timer1Timer);
  Timer2.SetEnabled(false);
  Timer2.OnTimer = ui::Bind(this, &TMsgCanselDlg::Timer2Timer);
}

void TMsgCanselDlg::FormShow() {
  Timer2.SetInterval(1000);
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(true);
}

void TMsgCanselDlg::Timer1Timer(ui::Component&) {
  Timer1.SetEnabled(false);
  if (!cancelled_) {
    working_ = true;
    ui::BusyCursor busy;
    count_ = work_ ? work_() : 0;
    working_ = false;
  }
  Timer2.SetEnabled(false);
  workDone_ = true;
  Close();
}

void TMsgCanselDlg::Timer2Timer(ui::Component&) {
  Panel1.SetText(NextStatusText(countingRoot_ ? countingRoot_() : std::string()));
}

void TMsgCanselDlg::CancelBtnClick(ui::Component&) {
  cancelFlag_ = true;
  cancelled_ = true;
}

// Only the end of the work or キャンセル closes the dialog; while the work runs the
// close waits for it to return (the work is further down this thread's stack).
void TMsgCanselDlg::FormCloseQuery(bool& canClose) {
  canClose = !working_ && (workDone_ || cancelled_);
}

void TMsgCanselDlg::FormClose(ui::CloseAction&) {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
}

std::string TMsgCanselDlg::NextStatusText(const std::string& root) {
  const char* prefix = nextIsTherefore ? "∴ " : "∵ ";
  nextIsTherefore = !nextIsTherefore;
  return prefix + FirstCharacters(root, 3) + "のドライブを調べています。";
}

void TMsgCanselDlg::ResetPrefix() { nextIsTherefore = true; }

}  // namespace trovex::shell
