#include "results/error_log_dlg.h"

#include "platform/ui/application.h"
#include "results/error_log.h"

namespace trovex::results {
namespace {

constexpr int kRowHeight = 36;  // the row of Clear, 編集禁止 and 閉じる
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

TErrorLogDlg::TErrorLogDlg(ui::Form* owner, const std::vector<std::string>& errorLogList)
    : ui::Form(owner),
      Memo1(this, ui::MemoStyle{ui::ScrollBars::Both, false, true}),
      SpeedButton1(this, "Clear"),
      CheckBox1(this, "編集禁止"),
      OKBtn(this, "閉じる"),
      Panel2(this) {
  SetCaption("エラーログ");
  SetBorder(ui::BorderStyle::Sizeable, ui::biSystemMenu | ui::biMaximize);
  SetPosition(ui::FormPosition::OwnerFormCenter);
  SetClientSize(kClientWidth, kClientHeight);
  SetMinSize(kClientWidth / 2, kClientHeight / 2);
  PlaceControls();

  SpeedButton1.SetHint("ログの削除|表示しているログを削除します。");
  SpeedButton1.SetFlat(false);
  OKBtn.SetDefault(true);
  OKBtn.SetModalResult(ui::mrOk);
  CheckBox1.SetChecked(true);
  Memo1.SetReadOnly(true);
  Memo1.SetText(ErrorLogViewText(errorLogList));

  SpeedButton1.OnClick = ui::Bind(this, &TErrorLogDlg::SpeedButton1Click);
  CheckBox1.OnClick = ui::Bind(this, &TErrorLogDlg::CheckBox1Click);
  Memo1.OnChange = ui::Bind(this, &TErrorLogDlg::Memo1Change);
}

void TErrorLogDlg::PlaceControls() {
  Panel2.SetPanels({ui::StatusPanel{-1, false, ""}});
  const int memoHeight = kClientHeight - kRowHeight - Panel2.Height();
  Memo1.SetBounds(0, 0, kClientWidth, memoHeight);
  Memo1.SetAnchors(ui::akLeft | ui::akTop | ui::akRight | ui::akBottom);
  const int buttonTop = memoHeight + (kRowHeight - kButtonHeight) / 2;
  SpeedButton1.SetBounds(8, buttonTop, kButtonWidth, kButtonHeight);
  CheckBox1.SetBounds(8 + kButtonWidth + 16, buttonTop + (kButtonHeight - CheckBox1.Height()) / 2,
                      CheckBox1.Width(), CheckBox1.Height());
  OKBtn.SetBounds(kClientWidth - kButtonWidth - 8, buttonTop, kButtonWidth, kButtonHeight);
  SpeedButton1.SetAnchors(ui::akLeft | ui::akBottom);
  CheckBox1.SetAnchors(ui::akLeft | ui::akBottom);
  OKBtn.SetAnchors(ui::akRight | ui::akBottom);
}

// Setting the text counted as a change: what the user sees now is the log.
void TErrorLogDlg::FormShow() {
  changed_ = false;
  UpdateStatusLine();
}

void TErrorLogDlg::UpdateStatusLine() { Panel2.SetPanelText(0, ErrorLogStatusText(Memo1.Text())); }

void TErrorLogDlg::SpeedButton1Click(ui::Component&) {
  Memo1.Clear();
  UpdateStatusLine();
  SpeedButton1.SetEnabled(false);
  changed_ = true;
}

void TErrorLogDlg::CheckBox1Click(ui::Component&) { Memo1.SetReadOnly(CheckBox1.Checked()); }

void TErrorLogDlg::Memo1Change(ui::Component&) { changed_ = true; }

// Both answers close the viewer; only Yes keeps the text as the log.
void TErrorLogDlg::FormCloseQuery(bool&) {
  if (!changed_) return;
  const int answer = ui::App().MessageBox("ログの内容が変更されています。保存しますか？",
                                          "ログの変更確認", MB_YESNO | MB_ICONQUESTION);
  if (answer == IDYES) keptLog_ = ErrorLogListOfText(Memo1.Text());
}

}  // namespace trovex::results
