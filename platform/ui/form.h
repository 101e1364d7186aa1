#pragma once
// Form: a top-level window created in code. A window of the program derives from it,
// holds its controls as members and overrides the Form* events it handles.
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/ui/control.h"

namespace trovex::ui {

class Button;
class MainMenu;

enum ModalResult : int {
  mrNone = 0,
  mrOk = IDOK,
  mrCancel = IDCANCEL,
  mrAbort = IDABORT,
  mrRetry = IDRETRY,
  mrIgnore = IDIGNORE,
  mrYes = IDYES,
  mrNo = IDNO
};
enum class CloseAction { None, Hide, Free, Minimize };
enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class FormPosition { Designed, ScreenCenter, OwnerFormCenter, MainFormCenter };
enum BorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

class Form : public Control {
 public:
  // owner: the window this one stays above (null: none).
  explicit Form(Form* owner = nullptr);
  ~Form() override;

  // Runs FormCreate once; Show and ShowModal call it first.
  void EnsureCreated();
  // Runs FormDestroy once (before the controls go). MakeForm's pointer calls it.
  void Destroy();

  void SetVisible(bool visible) override;
  int ShowModal();
  void Close();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  void SetBorderStyle(BorderStyle style);
  void SetBorderIcons(unsigned icons);
  // Both at once, with the frame rebuilt once.
  void SetBorder(BorderStyle style, unsigned icons);
  void SetPosition(FormPosition position) { position_ = position; }
  void SetClientSize(int width, int height);
  // The smallest size of the window, frame included.
  void SetMinSize(int width, int height) {
    minWidth_ = width;
    minHeight_ = height;
  }
  void SetMenu(MainMenu* menu);
  MainMenu* Menu() const { return menu_; }

  Control* ActiveControl() const;
  void SetActiveControl(Control* control);
  void SetDefaultButton(Button* button) { defaultButton_ = button; }
  void SetCancelButton(Button* button) { cancelButton_ = button; }

  // The owner's window handle (null for an unowned form).
  HWND OwnerWindow() const;
  // Key handling before the focused control: FormShortCut, then Enter and Escape
  // for the default and cancel buttons. True when the key was consumed.
  bool PreviewKey(unsigned key, ShiftState shift);
  // Adds, changes or removes the tooltip of a control of this form.
  void UpdateTooltip(Control& control);
  void SetTooltipColor(Color color);
  HWND TooltipHandle() const { return tooltip_; }
  // Every form that exists, oldest first.
  static const std::vector<Form*>& All();

 protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormCloseQuery(bool& /*canClose*/) {}
  virtual void FormClose(CloseAction& /*action*/) {}
  virtual void FormDestroy() {}
  virtual void FormResize() {}
  // Sees every key pressed in this form before the focused control does.
  virtual void FormShortCut(unsigned /*key*/, ShiftState /*shift*/, bool& /*handled*/) {}

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool CallCloseQuery();
  void CloseModal();
  void ApplyStyle();
  void PlaceOnFirstShow();
  void FocusFirstControl();
  void SetTooltipFont();
  // Takes the DPI `dpi`: the controls laid out and their fonts made again for it,
  // then the window moved to `suggested` (screen pixels) when given.
  void ChangeDpi(int dpi, const RECT* suggested);

  Form* owner_;
  bool created_ = false;
  bool destroyed_ = false;
  bool shownOnce_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  FormPosition position_ = FormPosition::Designed;
  int minWidth_ = 0;
  int minHeight_ = 0;
  MainMenu* menu_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND savedFocus_ = nullptr;
  Button* defaultButton_ = nullptr;
  Button* cancelButton_ = nullptr;
};

struct FormDeleter {
  void operator()(Form* form) const {
    form->Destroy();
    delete form;
  }
};
template <class T>
using FormPtr = std::unique_ptr<T, FormDeleter>;

// Creates a form and runs its FormCreate; the pointer runs FormDestroy when it lets go.
template <class T, class... Args>
FormPtr<T> MakeForm(Args&&... args) {
  FormPtr<T> form(new T(std::forward<Args>(args)...));
  form->EnsureCreated();
  return form;
}

}  // namespace trovex::ui
