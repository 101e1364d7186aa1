#pragma once
// Push button, check box and radio button.
#include "platform/ui/control.h"

namespace trovex::ui {

class Button : public Control {
 public:
  explicit Button(Control* parent, std::string_view caption = "");

  // The default button is pressed by Enter, the cancel button by Escape.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool isCancel);
  // A non-zero modal result is given to the form when the button is clicked,
  // which ends a modal loop.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  void Click() override;

 protected:
  void CommandNotify(WORD code) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

// A button with a check mark; keeps the state the user sees.
class CheckableButton : public Control {
 public:
  bool Checked() const { return checked_; }

 protected:
  CheckableButton(Control* parent, std::string_view caption, DWORD style, int width);
  // Shows `checked`; false when that is already the state.
  bool ShowChecked(bool checked);

 private:
  bool checked_ = false;
};

// Setting Checked runs OnClick when the state changes, as a user's click does.
class CheckBox : public CheckableButton {
 public:
  explicit CheckBox(Control* parent, std::string_view caption = "");
  void SetChecked(bool checked);

 protected:
  void CommandNotify(WORD code) override;
};

// Checking a radio button unchecks the radio buttons beside it and runs OnClick.
class RadioButton : public CheckableButton {
 public:
  explicit RadioButton(Control* parent, std::string_view caption = "");
  void SetChecked(bool checked);

 protected:
  void CommandNotify(WORD code) override;
};

}  // namespace trovex::ui
