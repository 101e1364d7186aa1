#include "platform/ui/control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

UINT_PTR nextChildId = 100;

// Which control each window belongs to. Kept here rather than in a window property:
// every message a control receives looks it up, and under Wine each property
// lookup is a round trip to the window server.
class ControlRegistry {
 public:
  void Add(HWND hwnd, Control* control) {
    std::lock_guard lock(mutex_);
    controls_[hwnd] = control;
  }
  void Remove(HWND hwnd) {
    std::lock_guard lock(mutex_);
    controls_.erase(hwnd);
  }
  Control* Find(HWND hwnd) {
    std::lock_guard lock(mutex_);
    const auto found = controls_.find(hwnd);
    return found != controls_.end() ? found->second : nullptr;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, Control*> controls_;
};

ControlRegistry& Controls() {
  static ControlRegistry registry;
  return registry;
}

HCURSOR CursorHandle(Cursor cursor) {
  switch (cursor) {
    case Cursor::Hand:
      return LoadCursorW(nullptr, IDC_HAND);
    case Cursor::Wait:
      return LoadCursorW(nullptr, IDC_WAIT);
    case Cursor::IBeam:
      return LoadCursorW(nullptr, IDC_IBEAM);
    case Cursor::SizeWE:
      return LoadCursorW(nullptr, IDC_SIZEWE);
    default:
      return LoadCursorW(nullptr, IDC_ARROW);
  }
}

ShiftState MouseShiftState(WPARAM keys) {
  ShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

}  // namespace

ShiftState KeyShiftState() {
  ShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control* control = nullptr;
  if (msg == WM_NCCREATE) {
    control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    control->hwnd_ = hwnd;
    Controls().Add(hwnd, control);
  } else {
    control = Control::FromHandle(hwnd);
  }
  if (control == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return control->Route(msg, wParam, lParam);
}

LRESULT CALLBACK ControlSubclassProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR refData) {
  return reinterpret_cast<Control*>(refData)->Route(msg, wParam, lParam);
}

Control::Control(Control* parent) : parent_(parent) {
  if (parent_ != nullptr) {
    parent_->children_.push_back(this);
    font_ = parent_->font_;
  }
}

Control::~Control() {
  if (hwnd_ != nullptr) {
    HWND hwnd = hwnd_;
    if (subclassed_) RemoveWindowSubclass(hwnd, ControlSubclassProc, 0);
    Controls().Remove(hwnd);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
  if (brush_ != nullptr) DeleteObject(brush_);
  if (parent_ != nullptr) std::erase(parent_->children_, this);
  for (Control* child : children_) child->parent_ = nullptr;
}

Control* Control::FromHandle(HWND hwnd) {
  return hwnd != nullptr ? Controls().Find(hwnd) : nullptr;
}

Form* Control::OwnerForm() {
  Control* top = this;
  while (top->parent_ != nullptr) top = top->parent_;
  return dynamic_cast<Form*>(top);
}

const wchar_t* Control::OwnClass(const wchar_t* name, UINT classStyle) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &wc)) return name;
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
  return name;
}

void Control::CreateHandle(const wchar_t* className, DWORD style, DWORD exStyle, bool subclass,
                           int width, int height) {
  HWND parentHwnd = parent_ != nullptr ? parent_->hwnd_ : nullptr;
  HMENU id = nullptr;
  if (parent_ != nullptr) {
    style |= WS_CHILD;
    id = reinterpret_cast<HMENU>(nextChildId++);
  } else if (auto* form = dynamic_cast<Form*>(this)) {
    parentHwnd = form->OwnerWindow();
  }
  // A child is created at its parent's DPI; a form at the system's until it has a window.
  const int dpi = parent_ != nullptr ? Dpi() : SystemDpi();
  HWND hwnd = CreateWindowExW(exStyle, className, L"", style, 0, 0, ScaleToDpi(width, dpi),
                              ScaleToDpi(height, dpi), parentHwnd, id, GetModuleHandleW(nullptr),
                              subclass ? nullptr : this);
  if (hwnd == nullptr) throw std::runtime_error("CreateWindowEx failed");
  if (subclass) {
    hwnd_ = hwnd;
    Controls().Add(hwnd, this);
    SetWindowSubclass(hwnd, ControlSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    subclassed_ = true;
  }
  ApplyFont();
}

LRESULT Control::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  try {
    result = WndProc(msg, wParam, lParam);
  } catch (...) {
    App().ShowCurrentException();
  }
  if (msg == WM_NCDESTROY && hwnd_ != nullptr) {
    if (subclassed_) RemoveWindowSubclass(hwnd_, ControlSubclassProc, 0);
    Controls().Remove(hwnd_);
    hwnd_ = nullptr;
  }
  return result;
}

bool Control::RouteToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  auto directChild = [this](HWND hwnd) {
    Control* child = FromHandle(hwnd);
    return child != nullptr && child->parent_ == this ? child : nullptr;
  };
  switch (msg) {
    case WM_COMMAND:
      if (lParam != 0) {
        if (Control* child = directChild(reinterpret_cast<HWND>(lParam))) {
          child->CommandNotify(HIWORD(wParam));
          result = 0;
          return true;
        }
      } else if (MenuItem::DispatchCommand(LOWORD(wParam))) {
        result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (Control* child = directChild(header->hwndFrom)) return child->Notify(*header, result);
      return false;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      bool done = false;
      if (item->CtlType == ODT_MENU) {
        done = MenuItem::DrawMenuImage(*item);
      } else if (Control* child = directChild(item->hwndItem)) {
        done = child->DrawItem(*item);
      }
      if (done) result = TRUE;
      return done;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU && MenuItem::MeasureMenuImage(*item)) {
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      HWND from = reinterpret_cast<HWND>(lParam);
      Control* child = directChild(from);
      // A part of this control (the edit box of a combo box) takes our colours.
      if (child == nullptr && FromHandle(from) == nullptr && GetParent(from) == hwnd_) child = this;
      if (child == nullptr) return false;
      if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam))) {
        result = reinterpret_cast<LRESULT>(brush);
        return true;
      }
      return false;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lParam != 0) {
        if (Control* child = directChild(reinterpret_cast<HWND>(lParam))) {
          child->ScrollNotify(LOWORD(wParam));
          result = 0;
          return true;
        }
      }
      return false;
    case WM_SIZE:
      for (Control* child : std::vector<Control*>(children_)) {
        // A minimised window's client area is empty; the anchors wait for the restore.
        if (wParam != SIZE_MINIMIZED) child->FollowAnchors();
        child->ParentResized();
      }
      return false;
    default:
      return false;
  }
}

LRESULT Control::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteToChild(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_SETCURSOR:
      if (App().Busy()) {
        ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (cursor_ != Cursor::Default && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(CursorHandle(cursor_));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
      const MouseEvent& event = down ? OnMouseDown : OnMouseUp;
      if (event) {
        const MouseButton button =
            (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP)   ? MouseButton::Left
            : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) ? MouseButton::Right
                                                             : MouseButton::Middle;
        const LRESULT def = DefaultProc(msg, wParam, lParam);
        event(*this, button, MouseShiftState(wParam), Unscale(GET_X_LPARAM(lParam)),
              Unscale(GET_Y_LPARAM(lParam)));
        return def;
      }
      break;
    }
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) {
        const LRESULT def = DefaultProc(msg, wParam, lParam);
        Fire(OnDblClick);
        return def;
      }
      break;
    case WM_MOUSEMOVE:
      if (OnMouseMove) {
        OnMouseMove(*this, MouseShiftState(wParam), Unscale(GET_X_LPARAM(lParam)),
                    Unscale(GET_Y_LPARAM(lParam)));
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
      const KeyEvent& event = down ? OnKeyDown : OnKeyUp;
      if (event) {
        unsigned key = static_cast<unsigned>(wParam);
        event(*this, key, KeyShiftState());
        if (key == 0) return 0;
        wParam = key;
      }
      break;
    }
    case WM_CHAR:
      if (OnKeyPress) {
        wchar_t key = static_cast<wchar_t>(wParam);
        OnKeyPress(*this, key);
        if (key == 0) return 0;
        wParam = key;
      }
      break;
    case WM_CONTEXTMENU:
      if (ContextPopup(lParam)) return 0;
      break;
    case WM_SETFOCUS: {
      const LRESULT def = DefaultProc(msg, wParam, lParam);
      Fire(OnEnter);
      return def;
    }
    case WM_KILLFOCUS: {
      const LRESULT def = DefaultProc(msg, wParam, lParam);
      Fire(OnExit);
      return def;
    }
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

LRESULT Control::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd_ == nullptr) return 0;
  return subclassed_ ? DefSubclassProc(hwnd_, msg, wParam, lParam)
                     : DefWindowProcW(hwnd_, msg, wParam, lParam);
}

std::wstring Control::WideText() const {
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(hwnd_, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return buffer;
}

std::string Control::Text() const { return Narrow(WideText()); }

void Control::SetText(std::string_view text) {
  SetWindowTextW(hwnd_, Widen(text).c_str());
  FontChanged();
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Control::SetEnabled(bool enabled) {
  if (Enabled() == enabled) return;
  EnableWindow(hwnd_, enabled ? TRUE : FALSE);
  Invalidate();
}

bool Control::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool visible) {
  if (Visible() != visible) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::SetHint(std::string_view hint) {
  hint_ = std::string(hint);
  if (Form* form = OwnerForm()) form->UpdateTooltip(*this);
}

void Control::SetShowHint(bool show) {
  showHint_ = show;
  if (Form* form = OwnerForm()) form->UpdateTooltip(*this);
}

Control* Control::TopControl() {
  Control* top = this;
  while (top->parent_ != nullptr) top = top->parent_;
  return top;
}

const Control* Control::TopControl() const {
  const Control* top = this;
  while (top->parent_ != nullptr) top = top->parent_;
  return top;
}

int Control::Dpi() const {
  const Control* top = TopControl();
  if (top->dpi_ != 0) return top->dpi_;
  if (top->hwnd_ == nullptr) return SystemDpi();
  top->dpi_ = WindowDpi(top->hwnd_);
  return top->dpi_;
}

void Control::SetBounds(int left, int top, int width, int height) {
  MoveWindow(hwnd_, Scale(left), Scale(top), Scale(width), Scale(height), TRUE);
}

RECT Control::DeviceBounds() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  if (parent_ != nullptr) {
    MapWindowPoints(HWND_DESKTOP, parent_->hwnd_, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

int Control::Left() const { return Unscale(DeviceBounds().left); }
int Control::Top() const { return Unscale(DeviceBounds().top); }
int Control::Width() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return Unscale(rect.right - rect.left);
}
int Control::Height() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return Unscale(rect.bottom - rect.top);
}
int Control::ClientWidth() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return Unscale(rect.right);
}
int Control::ClientHeight() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return Unscale(rect.bottom);
}

void Control::SetAnchors(Anchors anchors) {
  anchors_ = anchors;
  if (parent_ != nullptr) anchoredParent_ = SIZE{parent_->ClientWidth(), parent_->ClientHeight()};
}

void Control::FollowAnchors() {
  if (parent_ == nullptr || hwnd_ == nullptr || TopControl()->rescaling_) return;
  const SIZE before = anchoredParent_;
  anchoredParent_ = SIZE{parent_->ClientWidth(), parent_->ClientHeight()};
  if (anchors_ == (akLeft | akTop)) return;
  const int dx = anchoredParent_.cx - before.cx;
  const int dy = anchoredParent_.cy - before.cy;
  if (dx == 0 && dy == 0) return;
  int left = Left();
  int top = Top();
  int width = Width();
  int height = Height();
  // Anchored to neither side, the control keeps its place relative to the middle.
  if ((anchors_ & (akLeft | akRight)) == (akLeft | akRight))
    width += dx;
  else if (anchors_ & akRight)
    left += dx;
  else if (!(anchors_ & akLeft))
    left += dx / 2;
  if ((anchors_ & (akTop | akBottom)) == (akTop | akBottom))
    height += dy;
  else if (anchors_ & akBottom)
    top += dy;
  else if (!(anchors_ & akTop))
    top += dy / 2;
  SetBounds(left, top, std::max(width, 0), std::max(height, 0));
}

void Control::RescaleChildren(int oldDpi) {
  // Every place is read before any is set: a container that arranges its children
  // when it is resized (a radio group, a page control) would otherwise move them
  // at the new DPI before their old places were read.
  std::vector<std::pair<Control*, RECT>> layout;
  const auto collect = [&layout, oldDpi](auto& self, Control& parent) -> void {
    for (Control* child : parent.children_) {
      if (child->hwnd_ == nullptr) continue;
      const RECT device = child->DeviceBounds();
      const auto design = [oldDpi](LONG pixels) {
        return static_cast<LONG>(ScaleFromDpi(static_cast<int>(pixels), oldDpi));
      };
      layout.emplace_back(
          child, RECT{design(device.left), design(device.top), design(device.right - device.left),
                      design(device.bottom - device.top)});
      self(self, *child);
    }
  };
  collect(collect, *this);
  for (const auto& [child, design] : layout) {
    // Its own sizes first, while its window is still as it was at the old DPI.
    child->DpiChanged(oldDpi);
    child->SetBounds(design.left, design.top, design.right, design.bottom);
    // After the bounds: a control that sizes itself to its text measures in the new font.
    child->ApplyFont();
  }
}

void Control::BringToFront() {
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Control::SendToBack() {
  SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Control::ContextPopup(LPARAM screenPoint) {
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  POINT client = at;
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: the control's own place for it.
    client = KeyboardPopupPoint();
    at = client;
    ClientToScreen(hwnd_, &at);
  } else {
    // A click outside the client area (a form's caption, a scroll bar) keeps the
    // system's own menu.
    ScreenToClient(hwnd_, &client);
    RECT area{};
    GetClientRect(hwnd_, &area);
    if (!PtInRect(&area, client)) return false;
  }
  bool handled = false;
  if (OnContextPopup) OnContextPopup(*this, Unscale(client.x), Unscale(client.y), handled);
  if (handled) return true;
  if (popupMenu_ == nullptr) return false;
  popupMenu_->Popup(at.x, at.y, *this);
  return true;
}

void Control::SetColor(Color color) {
  color_ = color;
  Invalidate();
  for (Control* child : children_) child->Invalidate();
}

Color Control::EffectiveColor() const {
  if (color_ != clNone) return color_;
  return parent_ != nullptr ? parent_->EffectiveColor() : clBtnFace;
}

HBRUSH Control::BackBrush() const {
  const Color color = EffectiveColor();
  if (color & 0x80000000u) return GetSysColorBrush(static_cast<int>(color & 0xFF));
  if (brush_ == nullptr || brushColor_ != color) {
    if (brush_ != nullptr) DeleteObject(brush_);
    brush_ = CreateSolidBrush(ColorToRgb(color));
    brushColor_ = color;
  }
  return brush_;
}

HBRUSH Control::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRgb(Enabled() ? font_.color : clGrayText));
  SetBkColor(dc, ColorToRgb(EffectiveColor()));
  return BackBrush();
}

void Control::SetFont(const FontInfo& font) {
  font_ = font;
  parentFont_ = false;
  ApplyFont();
  SetChildFonts();
}

void Control::ApplyFont() {
  if (hwnd_ == nullptr) return;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontObject()), TRUE);
  FontChanged();
  Invalidate();
}

void Control::SetChildFonts() {
  for (Control* child : children_) {
    if (!child->parentFont_) continue;
    child->font_ = font_;
    child->ApplyFont();
    child->SetChildFonts();
  }
}

void Control::SetFocus() {
  if (hwnd_ != nullptr) ::SetFocus(hwnd_);
}

bool Control::Focused() const {
  HWND focus = GetFocus();
  return focus != nullptr && (focus == hwnd_ || IsChild(hwnd_, focus));
}

bool Control::CanFocus() const {
  return hwnd_ != nullptr && IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_);
}

void Control::Invalidate() {
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::Repaint() {
  if (hwnd_ == nullptr) return;
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

void Control::Click() { Fire(OnClick); }

}  // namespace trovex::ui
