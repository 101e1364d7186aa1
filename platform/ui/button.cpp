#include "platform/ui/button.h"

#include "platform/ui/form.h"

namespace trovex::ui {

Button::Button(Control* parent, std::string_view caption) : Control(parent) {
  CreateHandle(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 0, true, 75, 25);
  SetText(caption);
}

void Button::SetDefault(bool isDefault) {
  default_ = isDefault;
  SendMessageW(hwnd_, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  if (Form* form = OwnerForm()) form->SetDefaultButton(isDefault ? this : nullptr);
}

void Button::SetCancel(bool isCancel) {
  cancel_ = isCancel;
  if (Form* form = OwnerForm()) form->SetCancelButton(isCancel ? this : nullptr);
}

void Button::Click() {
  if (modalResult_ != 0) {
    if (Form* form = OwnerForm()) form->SetModalResult(modalResult_);
  }
  Control::Click();
}

void Button::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

CheckableButton::CheckableButton(Control* parent, std::string_view caption, DWORD style, int width)
    : Control(parent) {
  CreateHandle(L"BUTTON", style | WS_TABSTOP | WS_VISIBLE, 0, true, width, 17);
  SetText(caption);
}

bool CheckableButton::ShowChecked(bool checked) {
  if (checked_ == checked) return false;
  checked_ = checked;
  SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

CheckBox::CheckBox(Control* parent, std::string_view caption)
    : CheckableButton(parent, caption, BS_CHECKBOX, 97) {}

void CheckBox::SetChecked(bool checked) {
  if (ShowChecked(checked)) Click();
}

void CheckBox::CommandNotify(WORD code) {
  if (code == BN_CLICKED) SetChecked(!Checked());
}

RadioButton::RadioButton(Control* parent, std::string_view caption)
    : CheckableButton(parent, caption, BS_RADIOBUTTON, 113) {}

void RadioButton::SetChecked(bool checked) {
  if (!ShowChecked(checked) || !checked) return;
  if (Parent() != nullptr) {
    for (Control* sibling : Parent()->Children()) {
      auto* radio = dynamic_cast<RadioButton*>(sibling);
      if (radio != nullptr && radio != this) radio->SetChecked(false);
    }
  }
  Click();
}

void RadioButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) SetChecked(true);
}

}  // namespace trovex::ui
