#pragma once
// TInputDlg: the small one-line input dialog with a drop-down history, used to ask
// for a history name (a fixed list) or a search content (editable). The box and
// the dialog grow with the text; a second after opening the caret goes to the end.
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"

namespace trovex::viewer {

class TInputDlg : public ui::Form {
 public:
  // `style`: DropDown for a text the user may type, DropDownList for a choice.
  TInputDlg(const std::string& initialText, ui::Form* owner,
            ui::ComboStyle style = ui::ComboStyle::DropDown);

  static constexpr int kTextMargin =
      40;  // the box's room beyond its text, the dialog's beyond the box

  ui::Label Label2;  // the prompt
  ui::ComboBox ComboBox1;
  ui::Button OKBtn;
  ui::Button CancelBtn;
  ui::Label Label1;  // hidden: measures the text
  ui::Timer Timer1;

  // Fills the drop-down list; a fixed list shows the initial text's item chosen.
  void SetList(const std::vector<std::string>& items);
  std::string Value() const { return ComboBox1.Text(); }

  void ComboBox1Change(ui::Component& sender);
  void Timer1Timer(ui::Component& sender);

 protected:
  void FormResize() override;

 private:
  int TextWidth(const std::string& text);
  void SetDialogWidth(int width);

  std::string initialText_;
  int initialWidth_ = 0;
  int initialBoxWidth_ = 0;
  int maxWidth_ = 0;
};

}  // namespace trovex::viewer
