#include "viewer/input_dlg.h"

#include <algorithm>

namespace trovex::viewer {

TInputDlg::TInputDlg(const std::string& initialText, ui::Form* owner, ui::ComboStyle style)
    : ui::Form(owner),
      Label2(this, "検索する内容を入力"),
      ComboBox1(this, style),
      OKBtn(this, "OK"),
      CancelBtn(this, "キャンセル"),
      Label1(this),
      initialText_(initialText) {
  SetBorder(ui::BorderStyle::ToolWindow, ui::biSystemMenu);
  SetPosition(ui::FormPosition::OwnerFormCenter);
  SetClientSize(280, 90);
  Label2.SetBounds(12, 8, Label2.Width(), Label2.Height());
  ComboBox1.SetBounds(12, 26, 256, 21);
  ComboBox1.SetDropDownCount(16);
  OKBtn.SetBounds(0, 56, 75, 25);
  CancelBtn.SetBounds(0, 56, 75, 25);
  OKBtn.SetDefault(true);
  OKBtn.SetModalResult(ui::mrOk);
  CancelBtn.SetCancel(true);
  CancelBtn.SetModalResult(ui::mrCancel);
  Label1.SetVisible(false);

  initialWidth_ = Width();
  initialBoxWidth_ = ComboBox1.Width();
  maxWidth_ = Unscale(GetSystemMetrics(SM_CXSCREEN));
  const int textWidth = TextWidth(initialText);
  if (ComboBox1.Width() < textWidth + kTextMargin) {
    ComboBox1.SetBounds(ComboBox1.Left(), ComboBox1.Top(), textWidth + kTextMargin, 21);
    SetDialogWidth(ComboBox1.Width() + kTextMargin);
  }
  ComboBox1.SetText(initialText);
  FormResize();

  ComboBox1.OnChange = ui::Bind(this, &TInputDlg::ComboBox1Change);
  Timer1.OnTimer = ui::Bind(this, &TInputDlg::Timer1Timer);
  Timer1.SetInterval(1000);
  Timer1.SetEnabled(true);
}

void TInputDlg::SetList(const std::vector<std::string>& items) {
  const std::string text = ComboBox1.Text();
  ComboBox1.SetItems(items);  // empties the edit field too
  const auto found = std::find(items.begin(), items.end(), initialText_);
  if (found != items.end()) {
    ComboBox1.SetItemIndex(static_cast<int>(found - items.begin()));
  } else {
    ComboBox1.SetText(text);
  }
}

int TInputDlg::TextWidth(const std::string& text) {
  Label1.SetText(text);
  return text.empty() ? 0 : Label1.Width();
}

void TInputDlg::SetDialogWidth(int width) {
  // The dialog never grows past the screen; there the box keeps its margin inside it.
  if (width > maxWidth_) {
    width = maxWidth_;
    ComboBox1.SetBounds(ComboBox1.Left(), ComboBox1.Top(), width - kTextMargin, 21);
  }
  SetBounds(Left(), Top(), width, Height());
}

void TInputDlg::FormResize() {
  OKBtn.SetLeft(Width() / 2 - OKBtn.Width() - 5);
  CancelBtn.SetLeft(OKBtn.Left() + OKBtn.Width() + 8);
}

void TInputDlg::ComboBox1Change(ui::Component&) {
  const int wanted = TextWidth(ComboBox1.Text()) + kTextMargin;
  const int box = ComboBox1.Width();
  if ((Width() < maxWidth_ && box < wanted) || (box > wanted && box > initialWidth_)) {
    // Shrinking stops at the sizes the dialog opened with.
    const int newBox = std::max(wanted, initialBoxWidth_);
    ComboBox1.SetBounds(ComboBox1.Left(), ComboBox1.Top(), newBox, 21);
    SetDialogWidth(newBox == initialBoxWidth_ ? initialWidth_ : newBox + kTextMargin);
  }
}

void TInputDlg::Timer1Timer(ui::Component&) {
  Timer1.SetEnabled(false);
  // On opening the whole text is selected: the caret goes to its end.
  ComboBox1.SetSelection(ComboBox1.SelLength(), 0);
}

}  // namespace trovex::viewer
