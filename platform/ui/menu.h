#pragma once
// Menus: MainMenu (a form's menu bar) and PopupMenu hold MenuItems; an item with
// items of its own is a submenu. Items are members of the window, added in its
// constructor: MainMenu1.Add(File1); File1.Add(Open1).
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/component.h"

namespace trovex::ui {

class Control;
class ImageList;

class MenuItem : public Component {
 public:
  MenuItem();
  explicit MenuItem(std::string_view caption);
  ~MenuItem() override;

  // Appends an item to this item's submenu (creating it on first use).
  void Add(MenuItem& item);
  MenuItem* Parent() const { return parent_; }

  // "-" makes a separator.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the radio items of its group beside it.
  void SetChecked(bool checked);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radio);
  void SetGroupIndex(int group) { groupIndex_ = group; }
  // A click toggles the check mark (a radio item: sets it) before OnClick.
  void SetAutoCheck(bool autoCheck) { autoCheck_ = autoCheck; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint) { hint_ = std::string(hint); }

  // Runs what choosing the item runs.
  virtual void Click();
  NotifyEvent OnClick;

  HMENU Handle() const { return submenu_; }
  UINT CommandId() const { return id_; }
  // The images of the menu this item belongs to.
  const ImageList* Images() const;

  // Message handling for the windows that show menus.
  static MenuItem* FromCommand(UINT id);
  static MenuItem* FromSubmenu(HMENU menu);
  static bool DispatchCommand(UINT id);
  static bool MeasureMenuImage(MEASUREITEMSTRUCT& item);
  static bool DrawMenuImage(DRAWITEMSTRUCT& item);

 protected:
  // Roots (menu bar, popup) create their menu themselves.
  MenuItem(HMENU rootMenu);
  const ImageList* images_ = nullptr;
  HWND barWindow_ = nullptr;

 private:
  void Update();
  void InsertIntoParent();
  int Position() const;

  UINT id_;
  HMENU submenu_ = nullptr;
  MenuItem* parent_ = nullptr;
  std::vector<MenuItem*> items_;
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  bool radioItem_ = false;
  bool autoCheck_ = false;
  int groupIndex_ = 0;
  int imageIndex_ = -1;
};

class MainMenu : public MenuItem {
 public:
  MainMenu();
  ~MainMenu() override;
  void SetImages(const ImageList* images) { images_ = images; }
  // The window whose menu bar shows this menu (set by Form::SetMenu).
  void AttachWindow(HWND window) { barWindow_ = window; }
};

class PopupMenu : public MenuItem {
 public:
  PopupMenu();
  void SetImages(const ImageList* images) { images_ = images; }
  // Runs OnPopup, then shows the menu at screen point (x, y); commands go to owner.
  void Popup(int x, int y, Control& owner);
  NotifyEvent OnPopup;
};

}  // namespace trovex::ui
