#include "shell/exit_dlg.h"

#include "shell/power_action.h"

namespace trovex::shell {
namespace {

constexpr int kWidth = 300;
constexpr ui::Color kHeaderColour = 0x00D7A56B;  // a soft blue (0x00BBGGRR)

}  // namespace

TExitDlg::TExitDlg(ui::Form* owner)
    : ui::Form(owner),
      Panel1(this),
      RadioGroup1(this, "モードの選択"),
      OKBtn(this, "OK"),
      CancelBtn(this, "キャンセル") {
  SetCaption("Windows 終了設定");
  SetBorder(ui::BorderStyle::Dialog, ui::biSystemMenu);
  SetPosition(ui::FormPosition::OwnerFormCenter);
  SetClientSize(kWidth, 238);
  Panel1.SetBounds(0, 0, kWidth, 36);
  Panel1.SetBevelOuter(ui::Bevel::None);
  Panel1.SetColor(kHeaderColour);
  Panel1.SetCaption("検索終了後、指定モードで終了処理を実行");
  RadioGroup1.SetBounds(16, 46, kWidth - 32, 140);
  std::vector<std::string> items;
  for (int index = 0; index < kExitModeCount; ++index)
    items.push_back(ExitModeName(ExitModeFromIndex(index)));
  RadioGroup1.SetItems(items);
  RadioGroup1.SetItemIndex(0);
  OKBtn.SetBounds(kWidth - 2 * 88, 200, 80, 26);
  OKBtn.SetHint("決定");
  OKBtn.SetDefault(true);
  OKBtn.SetModalResult(ui::mrOk);
  CancelBtn.SetBounds(kWidth - 88, 200, 80, 26);
  CancelBtn.SetCancel(true);
  CancelBtn.SetModalResult(ui::mrCancel);
}

std::optional<ExitMode> ChooseExitModeDialog(ui::Form* owner, ExitMode mode) {
  auto dialog = ui::MakeForm<TExitDlg>(owner);
  dialog->RadioGroup1.SetItemIndex(results::IndexOf(mode));
  if (dialog->ShowModal() != ui::mrOk) return std::nullopt;
  return ExitModeFromIndex(dialog->RadioGroup1.ItemIndex());
}

}  // namespace trovex::shell
