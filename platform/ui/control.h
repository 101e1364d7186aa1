#pragma once
// Control: a window with its designed properties and events. Standard controls are
// subclassed, our own controls use one registered class; either way every message
// goes to the object's WndProc. A container passes WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM and WM_CTLCOLOR* on to the direct child that sent them.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/component.h"
#include "platform/ui/dpi.h"
#include "platform/ui/font.h"

namespace trovex::ui {

class Form;
class PopupMenu;

enum class Cursor { Default, Hand, Wait, Arrow, IBeam, SizeWE };

// The edges of the parent a control keeps its distance to when the parent is
// resized; anchored to both sides it stretches.
enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using Anchors = unsigned;

// A request for the context menu at (x, y) in the control's client coordinates;
// from the keyboard, at the control's KeyboardPopupPoint. A handler that sets
// `handled` keeps the popup menu from showing.
using ContextPopupEvent = std::function<void(Component& sender, int x, int y, bool& handled)>;

class Control : public Component {
 public:
  // parent is null only for a form.
  explicit Control(Control* parent);
  ~Control() override;

  HWND Handle() const { return hwnd_; }
  Control* Parent() const { return parent_; }
  Form* OwnerForm();
  const std::vector<Control*>& Children() const { return children_; }
  static Control* FromHandle(HWND hwnd);

  // Caption and text are the same window text.
  std::string Text() const;
  void SetText(std::string_view text);
  std::string Caption() const { return Text(); }
  void SetCaption(std::string_view text) { SetText(text); }

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);

  // Sizes and places are design units (pixels at 96 DPI) throughout: bounds, client
  // sizes, column widths, mouse and menu points. The control scales them by its
  // window's DPI on the way to Windows and back. Painting (Canvas, Paint, owner
  // draw) gets the device context's own pixels; Scale gives a design length there.
  int Dpi() const;
  int Scale(int design) const { return ScaleToDpi(design, Dpi()); }
  int Unscale(int device) const { return ScaleFromDpi(device, Dpi()); }
  // The system's width of a vertical scroll bar, in design units.
  int VerticalScrollBarWidth() const { return Unscale(GetSystemMetrics(SM_CXVSCROLL)); }

  // Bounds in the parent's client coordinates (a form: on the screen).
  virtual void SetBounds(int left, int top, int width, int height);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  int ClientWidth() const;
  int ClientHeight() const;
  // From now on a resize of the parent moves or stretches the control by as much as
  // the anchored edges of the parent move. Default: akLeft | akTop (it stays).
  void SetAnchors(Anchors anchors);
  Anchors GetAnchors() const { return anchors_; }
  // Places the control above or below its siblings.
  void BringToFront();
  void SendToBack();

  void SetColor(Color color);
  // The colour painted behind this control: its own or its parent's.
  Color EffectiveColor() const;
  const FontInfo& Font() const { return font_; }
  void SetFont(const FontInfo& font);
  void SetCursor(Cursor cursor) { cursor_ = cursor; }

  void SetFocus();
  bool Focused() const;
  bool CanFocus() const;
  void Invalidate();
  void Repaint();

  // Runs what a user's click runs.
  virtual void Click();

  // The menu a right click (or the menu key) shows, after OnContextPopup; not owned.
  // Without one the request goes on to the parent.
  void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }
  PopupMenu* ContextMenu() const { return popupMenu_; }

  NotifyEvent OnClick, OnDblClick, OnChange, OnEnter, OnExit;
  MouseEvent OnMouseDown, OnMouseUp;
  MouseMoveEvent OnMouseMove;
  KeyEvent OnKeyDown, OnKeyUp;
  KeyPressEvent OnKeyPress;
  ContextPopupEvent OnContextPopup;

 protected:
  // Creates the window. Standard classes (subclass = true) are subclassed; our own
  // classes are registered with the shared window procedure.
  void CreateHandle(const wchar_t* className, DWORD style, DWORD exStyle, bool subclass,
                    int width = 0, int height = 0);
  static const wchar_t* OwnClass(const wchar_t* name, UINT classStyle = CS_DBLCLKS);

  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // Notifications this control sent to its parent, handed back to it.
  virtual void CommandNotify(WORD /*code*/) {}
  virtual bool Notify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool DrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
  virtual void ScrollNotify(WORD /*code*/) {}
  // Colours for WM_CTLCOLOR*: returns the brush to paint with.
  virtual HBRUSH CtlColor(HDC dc);
  // The parent's client area changed size.
  virtual void ParentResized() {}
  // The control's font changed (controls that size to their text re-measure).
  virtual void FontChanged() {}
  // The window's DPI changed; the control has its new font and bounds already. A
  // control that holds sizes of its own in device pixels (columns, panels, item
  // heights) sets them again; oldDpi is what they were measured at.
  virtual void DpiChanged(int /*oldDpi*/) {}
  // Where a context menu asked for from the keyboard opens, in device pixels of the
  // client area (a list opens it at its focused row).
  virtual POINT KeyboardPopupPoint() const { return POINT{0, 0}; }

  void Fire(const NotifyEvent& event) {
    if (event) event(*this);
  }
  HBRUSH BackBrush() const;
  void ApplyFont();
  // The control's font at its DPI.
  HFONT FontObject() const { return FontHandle(font_, Dpi()); }
  // The window's bounds in its parent's client area, in device pixels.
  RECT DeviceBounds() const;
  // The window text as the window holds it (UTF-16), for the wide drawing calls.
  std::wstring WideText() const;

  HWND hwnd_ = nullptr;

 private:
  friend class Form;
  friend LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK ControlSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT Route(UINT msg, WPARAM wParam, LPARAM lParam);
  bool RouteToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void SetChildFonts();
  // Moves the control after its parent's client area changed size.
  void FollowAnchors();
  // Lays the children out again after the DPI changed from oldDpi (the top window
  // holds the new one already): the same design bounds, fonts and sizes at the new DPI.
  void RescaleChildren(int oldDpi);
  Control* TopControl();
  const Control* TopControl() const;
  bool ContextPopup(LPARAM screenPoint);

  Control* parent_;
  std::vector<Control*> children_;
  bool subclassed_ = false;
  std::string hint_;
  bool showHint_ = true;
  Color color_ = clNone;
  mutable HBRUSH brush_ = nullptr;
  mutable Color brushColor_ = clNone;
  FontInfo font_;
  bool parentFont_ = true;
  Cursor cursor_ = Cursor::Default;
  PopupMenu* popupMenu_ = nullptr;
  Anchors anchors_ = akLeft | akTop;
  // The parent's client size the anchors last followed.
  SIZE anchoredParent_{0, 0};
  // The top window's DPI (0: not asked yet), and whether it is laying its controls
  // out again for a new one: the anchors wait until the window has its new size.
  mutable int dpi_ = 0;
  bool rescaling_ = false;
};

ShiftState KeyShiftState();

}  // namespace trovex::ui
