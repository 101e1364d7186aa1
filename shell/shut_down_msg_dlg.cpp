#include "shell/shut_down_msg_dlg.h"

#include "shell/power_action.h"

namespace trovex::shell {
namespace {

constexpr int kWidth = 340;
constexpr ui::Color kRed = 0x000000E0;
constexpr ui::Color kDarkRed = 0x00000070;

}  // namespace

TShutDownMsgDlg::TShutDownMsgDlg()
    : Label1(this), ColorProgressBar1(this), CancelBtn(this, "キャンセル") {
  SetBorder(ui::BorderStyle::Dialog, 0);  // no close box: キャンセル or the end
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(kWidth, 150);
  Label1.SetAutoSize(false);
  Label1.SetBounds(16, 12, kWidth - 32, 64);
  ColorProgressBar1.SetBounds(16, 80, kWidth - 32, 18);
  ColorProgressBar1.SetBarColor(kDarkRed);
  ColorProgressBar1.SetGradientEndColor(kRed);
  ColorProgressBar1.SetMax(kCountdownSeconds);
  CancelBtn.SetBounds((kWidth - 90) / 2, 112, 90, 26);
  CancelBtn.SetHint("中止");
  CancelBtn.SetCancel(true);
  CancelBtn.SetModalResult(ui::mrCancel);
  Timer1.SetEnabled(false);
  Timer1.SetInterval(1000);
  Timer1.OnTimer = ui::Bind(this, &TShutDownMsgDlg::Timer1Timer);
}

bool TShutDownMsgDlg::Confirm(const std::string& title, const std::string& modeName) {
  modeName_ = modeName;
  SetCaption(CountdownCaption(title, modeName));
  return ShowModal() == ui::mrOk;
}

void TShutDownMsgDlg::FormShow() {
  ticks_ = 0;
  ColorProgressBar1.SetMax(kCountdownSeconds);
  ColorProgressBar1.SetPosition(0);
  Label1.SetCaption(CountdownText(modeName_));
  Timer1.SetEnabled(true);
}

void TShutDownMsgDlg::Timer1Timer(ui::Component&) {
  const CountdownStep step = CountdownTick(ticks_);
  if (step.advance) ColorProgressBar1.StepIt();
  ++ticks_;
  if (step.close) {
    Timer1.SetEnabled(false);
    SetModalResult(ui::mrOk);
  }
}

void TShutDownMsgDlg::FormClose(ui::CloseAction&) { Timer1.SetEnabled(false); }

}  // namespace trovex::shell
