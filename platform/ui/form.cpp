#include "platform/ui/form.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/dpi.h"
#include "platform/ui/hint_text.h"
#include "platform/ui/menu.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

std::vector<Form*>& LiveForms() {
  static std::vector<Form*> forms;
  return forms;
}

DWORD StyleFor(BorderStyle border, unsigned icons) {
  DWORD style = WS_CLIPCHILDREN;
  switch (border) {
    case BorderStyle::None:
      style |= WS_POPUP;
      break;
    case BorderStyle::Single:
    case BorderStyle::Dialog:
    case BorderStyle::ToolWindow:
      style |= WS_CAPTION;
      break;
    case BorderStyle::Sizeable:
    case BorderStyle::SizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
  }
  if (border != BorderStyle::None && (icons & biSystemMenu)) {
    style |= WS_SYSMENU;
    const bool tool = border == BorderStyle::ToolWindow || border == BorderStyle::SizeToolWin;
    if (border != BorderStyle::Dialog && !tool) {
      if (icons & biMinimize) style |= WS_MINIMIZEBOX;
      if (icons & biMaximize) style |= WS_MAXIMIZEBOX;
    }
  }
  return style;
}

DWORD ExStyleFor(BorderStyle border) {
  switch (border) {
    case BorderStyle::Dialog:
      return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    case BorderStyle::ToolWindow:
    case BorderStyle::SizeToolWin:
      return WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    default:
      return WS_EX_CONTROLPARENT;
  }
}

}  // namespace

Form::Form(Form* owner) : Control(nullptr), owner_(owner) {
  CreateHandle(OwnClass(L"TrovexForm"), StyleFor(borderStyle_, borderIcons_),
               ExStyleFor(borderStyle_), false, 320, 240);
  LiveForms().push_back(this);
}

Form::~Form() {
  std::erase(LiveForms(), this);
  if (App().MainForm() == this) App().SetMainForm(nullptr);
  App().DropHintHandlerOf(this);
  if (tooltip_ != nullptr) DestroyWindow(tooltip_);
}

const std::vector<Form*>& Form::All() { return LiveForms(); }

HWND Form::OwnerWindow() const { return owner_ != nullptr ? owner_->Handle() : nullptr; }

void Form::EnsureCreated() {
  if (created_) return;
  created_ = true;
  FormCreate();
}

void Form::Destroy() {
  if (!created_ || destroyed_) return;
  destroyed_ = true;
  FormDestroy();
}

void Form::PlaceOnFirstShow() {
  if (shownOnce_) return;
  shownOnce_ = true;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HWND around = nullptr;
  if (position_ == FormPosition::OwnerFormCenter) around = OwnerWindow();
  if (position_ == FormPosition::MainFormCenter && App().MainForm() != nullptr &&
      App().MainForm() != this) {
    around = App().MainForm()->Handle();
  }
  if (position_ == FormPosition::Designed) return;
  if (around != nullptr) GetWindowRect(around, &area);
  RECT own{};
  GetWindowRect(hwnd_, &own);
  const int left = area.left + (area.right - area.left - (own.right - own.left)) / 2;
  const int top = area.top + (area.bottom - area.top - (own.bottom - own.top)) / 2;
  SetWindowPos(hwnd_, nullptr, std::max(left, 0), std::max(top, 0), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetVisible(bool visible) {
  if (!visible) {
    if (Visible()) ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  EnsureCreated();
  if (Visible()) {
    SetForegroundWindow(hwnd_);
    return;
  }
  PlaceOnFirstShow();
  FormShow();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  if (GetActiveWindow() != hwnd_) SetActiveWindow(hwnd_);
  if (!ActiveControl()) FocusFirstControl();
}

int Form::ShowModal() {
  if (modal_ || Visible()) throw std::logic_error("ShowModal on a form that is already shown");
  EnsureCreated();
  HWND previous = GetActiveWindow();
  // An unowned form stays above the window it was opened from while it is modal.
  // The tie is undone afterwards: Windows destroys owned windows with their owner.
  const bool borrowOwner = owner_ == nullptr && previous != nullptr && previous != hwnd_;
  if (borrowOwner) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previous));
  std::vector<HWND> disabled;
  for (Form* form : LiveForms()) {
    HWND other = form->Handle();
    if (form == this || other == nullptr) continue;
    if (IsWindowVisible(other) && IsWindowEnabled(other)) {
      EnableWindow(other, FALSE);
      disabled.push_back(other);
    }
  }
  modal_ = true;
  modalResult_ = mrNone;
  struct Restore {
    Form& form;
    std::vector<HWND>& disabled;
    HWND previous;
    bool borrowOwner;
    ~Restore() {
      for (HWND hwnd : disabled) {
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
      }
      if (form.hwnd_ != nullptr) {
        SetWindowPos(form.hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      if (previous != nullptr && IsWindow(previous)) SetActiveWindow(previous);
      if (borrowOwner && form.hwnd_ != nullptr) SetWindowLongPtrW(form.hwnd_, GWLP_HWNDPARENT, 0);
      form.modal_ = false;
    }
  } restore{*this, disabled, previous, borrowOwner};

  SetVisible(true);
  if (App().ModalHook) {
    auto hook = App().ModalHook;
    hook(*this);
  }
  for (;;) {
    if (App().Terminated() && modalResult_ == mrNone) modalResult_ = mrCancel;
    if (modalResult_ != mrNone) {
      CloseModal();
      if (modalResult_ != mrNone || App().Terminated()) break;
    }
    App().HandleMessage();
  }
  return modalResult_;
}

bool Form::CallCloseQuery() {
  bool canClose = true;
  FormCloseQuery(canClose);
  return canClose;
}

void Form::CloseModal() {
  if (!CallCloseQuery()) {
    modalResult_ = mrNone;
    return;
  }
  CloseAction action = CloseAction::Hide;
  FormClose(action);
  if (action == CloseAction::None) modalResult_ = mrNone;
}

void Form::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CallCloseQuery()) return;
  const bool main = App().MainForm() == this;
  CloseAction action = main ? CloseAction::Free : CloseAction::Hide;
  FormClose(action);
  if (action == CloseAction::None) return;
  if (main) {
    ShowWindow(hwnd_, SW_HIDE);
    App().Terminate();
  } else if (action == CloseAction::Minimize) {
    ShowWindow(hwnd_, SW_MINIMIZE);
  } else {
    ShowWindow(hwnd_, SW_HIDE);
  }
}

void Form::ApplyStyle() {
  const int width = ClientWidth();
  const int height = ClientHeight();
  SetWindowLongW(hwnd_, GWL_STYLE,
                 static_cast<LONG>((GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) |
                                   StyleFor(borderStyle_, borderIcons_)));
  SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(ExStyleFor(borderStyle_)));
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetClientSize(width, height);
}

void Form::SetBorderStyle(BorderStyle style) {
  borderStyle_ = style;
  ApplyStyle();
}

void Form::SetBorderIcons(unsigned icons) {
  borderIcons_ = icons;
  ApplyStyle();
}

void Form::SetBorder(BorderStyle style, unsigned icons) {
  borderStyle_ = style;
  borderIcons_ = icons;
  ApplyStyle();
}

void Form::SetClientSize(int width, int height) {
  // The frame as the window has it now (its menu bar, its DPI); a minimised window
  // has no client area to measure it by, and gets the frame its style gives.
  RECT window{};
  RECT client{};
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  SIZE frame{(window.right - window.left) - client.right,
             (window.bottom - window.top) - client.bottom};
  if (IsIconic(hwnd_)) {
    RECT rect{0, 0, 0, 0};
    AdjustWindowRectForDpi(rect, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)),
                           GetMenu(hwnd_) != nullptr,
                           static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), Dpi());
    frame = SIZE{rect.right - rect.left, rect.bottom - rect.top};
  }
  SetWindowPos(hwnd_, nullptr, 0, 0, Scale(width) + frame.cx, Scale(height) + frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetMenu(MainMenu* menu) {
  const int width = ClientWidth();
  const int height = ClientHeight();
  if (menu_ != nullptr) menu_->AttachWindow(nullptr);
  menu_ = menu;
  if (menu != nullptr) menu->AttachWindow(hwnd_);
  ::SetMenu(hwnd_, menu != nullptr ? menu->Handle() : nullptr);
  SetClientSize(width, height);
}

Control* Form::ActiveControl() const {
  HWND focus = GetFocus();
  while (focus != nullptr && focus != hwnd_) {
    if (Control* control = FromHandle(focus)) return control;
    focus = GetParent(focus);
  }
  return nullptr;
}

void Form::SetActiveControl(Control* control) {
  if (control == nullptr) return;
  savedFocus_ = control->Handle();
  if (GetActiveWindow() == hwnd_) control->SetFocus();
}

void Form::FocusFirstControl() {
  if (savedFocus_ != nullptr && IsWindow(savedFocus_) && IsWindowVisible(savedFocus_) &&
      IsWindowEnabled(savedFocus_)) {
    ::SetFocus(savedFocus_);
    return;
  }
  if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) ::SetFocus(first);
}

bool Form::PreviewKey(unsigned key, ShiftState shift) {
  bool handled = false;
  FormShortCut(key, shift, handled);
  if (handled) return true;
  if (key == VK_RETURN && shift == 0) {
    HWND focus = GetFocus();
    if (focus != nullptr && (SendMessageW(focus, WM_GETDLGCODE, VK_RETURN, 0) & DLGC_WANTALLKEYS)) {
      return false;
    }
    Control* focused = FromHandle(focus);
    if (auto* button = dynamic_cast<Button*>(focused)) {
      button->Click();
      return true;
    }
    if (defaultButton_ != nullptr && defaultButton_->CanFocus()) {
      defaultButton_->Click();
      return true;
    }
  }
  if (key == VK_ESCAPE && shift == 0 && cancelButton_ != nullptr && cancelButton_->CanFocus()) {
    cancelButton_->Click();
    return true;
  }
  return false;
}

void Form::UpdateTooltip(Control& control) {
  if (control.Handle() == nullptr) return;
  const std::string tip = ShortHint(control.Hint());
  if (tooltip_ == nullptr) {
    if (tip.empty()) return;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetTooltipFont();
    if (App().HintColor() != clNone) SetTooltipColor(App().HintColor());
  }
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (tip.empty() || !control.ShowHint()) return;
  std::wstring text = Widen(tip);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::SetTooltipFont() {
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(600));
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(FontObject()), FALSE);
}

void Form::ChangeDpi(int dpi, const RECT* suggested) {
  const int oldDpi = Dpi();
  if (dpi > 0 && dpi != oldDpi) {
    dpi_ = dpi;
    // The controls keep their design bounds; the anchors wait for the window's new size.
    rescaling_ = true;
    try {
      RescaleChildren(oldDpi);
    } catch (...) {
      rescaling_ = false;
      throw;
    }
    rescaling_ = false;
    ApplyFont();
    if (tooltip_ != nullptr) SetTooltipFont();
  }
  if (suggested != nullptr) {
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Invalidate();
}

void Form::SetTooltipColor(Color color) {
  if (tooltip_ == nullptr) return;
  // A themed tooltip ignores the colour; an unthemed one takes it.
  SetWindowTheme(tooltip_, L"", L"");
  SendMessageW(tooltip_, TTM_SETTIPBKCOLOR, ColorToRgb(color), 0);
}

LRESULT Form::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      return CallCloseQuery() ? TRUE : FALSE;
    case WM_SIZE: {
      const LRESULT result = Control::WndProc(msg, wParam, lParam);
      if (created_) FormResize();
      return result;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (minWidth_ > 0) info->ptMinTrackSize.x = Scale(minWidth_);
      if (minHeight_ > 0) info->ptMinTrackSize.y = Scale(minHeight_);
      return 0;
    }
    case WM_DPICHANGED:
      // Moved to a monitor of another DPI (or the DPI was changed): the same layout at
      // the new DPI, in the rectangle Windows suggests for it.
      ChangeDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ERASEBKGND: {
      RECT rect{};
      GetClientRect(hwnd_, &rect);
      FillRect(reinterpret_cast<HDC>(wParam), &rect, BackBrush());
      return 1;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) savedFocus_ = focus;
      } else if (!IsIconic(hwnd_)) {
        FocusFirstControl();
      }
      return 0;
    case WM_MENUSELECT: {
      const UINT flags = HIWORD(wParam);
      if (flags == 0xFFFF && lParam == 0) {
        App().SetHint("");
      } else {
        MenuItem* item =
            (flags & MF_POPUP)
                ? MenuItem::FromSubmenu(GetSubMenu(reinterpret_cast<HMENU>(lParam), LOWORD(wParam)))
                : MenuItem::FromCommand(LOWORD(wParam));
        App().SetHint(item != nullptr ? LongHint(item->Hint()) : "");
      }
      return 0;
    }
    case WM_EXITMENULOOP:
      App().SetHint("");
      return 0;
    default:
      break;
  }
  return Control::WndProc(msg, wParam, lParam);
}

}  // namespace trovex::ui
