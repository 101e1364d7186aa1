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

CheckBox::CheckBox(Control* parent, std::string_view caption) : Control(parent) {
  CreateHandle(L"BUTTON", BS_CHECKBOX | WS_TABSTOP | WS_VISIBLE, 0, true, 97, 17);
  SetText(caption);
}

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

void CheckBox::CommandNotify(WORD code) {
  if (code == BN_CLICKED) SetChecked(!checked_);
}

RadioButton::RadioButton(Control* parent, std::string_view caption) : Control(parent) {
  CreateHandle(L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP | WS_VISIBLE, 0, true, 113, 17);
  SetText(caption);
}

void RadioButton::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked) return;
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
