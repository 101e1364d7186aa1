#include "platform/ui/menu.h"

#include <algorithm>
#include <map>

#include "platform/ui/control.h"
#include "platform/ui/image_list.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

constexpr UINT kFirstId = 1000;
constexpr UINT kLastId = 0xEFFF;

std::map<UINT, MenuItem*>& Registry() {
  static std::map<UINT, MenuItem*> items;
  return items;
}

UINT NewId(MenuItem* item) {
  static UINT next = kFirstId;
  while (Registry().count(next) != 0) next = next >= kLastId ? kFirstId : next + 1;
  const UINT id = next;
  next = next >= kLastId ? kFirstId : next + 1;
  Registry()[id] = item;
  return id;
}

}  // namespace

MenuItem::MenuItem() : id_(NewId(this)) {}

MenuItem::MenuItem(std::string_view caption) : MenuItem() { caption_ = std::string(caption); }

MenuItem::MenuItem(HMENU rootMenu) : id_(NewId(this)), submenu_(rootMenu) {}

MenuItem::~MenuItem() {
  Registry().erase(id_);
  for (MenuItem* item : items_) item->parent_ = nullptr;
  if (parent_ != nullptr) {
    const int position = Position();
    if (parent_->submenu_ != nullptr && position >= 0) {
      RemoveMenu(parent_->submenu_, static_cast<UINT>(position), MF_BYPOSITION);
    }
    std::erase(parent_->items_, this);
  }
  if (submenu_ != nullptr) DestroyMenu(submenu_);
}

// The place in the parent's menu: hidden items before it take none.
int MenuItem::Position() const {
  if (parent_ == nullptr || !visible_) return -1;
  int position = 0;
  for (const MenuItem* item : parent_->items_) {
    if (item == this) return position;
    if (item->visible_) ++position;
  }
  return -1;
}

const ImageList* MenuItem::Images() const {
  const MenuItem* root = this;
  while (root->parent_ != nullptr) root = root->parent_;
  return root->images_;
}

void MenuItem::Add(MenuItem& item) {
  if (submenu_ == nullptr) {
    submenu_ = CreatePopupMenu();
    Update();
  }
  item.parent_ = this;
  items_.push_back(&item);
  if (item.visible_) item.InsertIntoParent();
}

void MenuItem::InsertIntoParent() {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_FTYPE;
  info.wID = id_;
  InsertMenuItemW(parent_->submenu_, static_cast<UINT>(Position()), TRUE, &info);
  Update();
}

// A hidden item leaves its parent's menu (its own submenu stays with it) and
// comes back at its place among the visible ones.
void MenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (parent_ == nullptr || parent_->submenu_ == nullptr) {
    visible_ = visible;
    return;
  }
  if (!visible) {
    RemoveMenu(parent_->submenu_, static_cast<UINT>(Position()), MF_BYPOSITION);
    visible_ = false;
  } else {
    visible_ = true;
    InsertIntoParent();
  }
}

void MenuItem::Update() {
  if (parent_ == nullptr || parent_->submenu_ == nullptr || !visible_) return;
  const std::wstring caption = Widen(caption_);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA;
  info.wID = id_;
  info.hSubMenu = submenu_;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  if (caption_ == "-") {
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask |= MIIM_STRING | MIIM_BITMAP;
    info.fType = radioItem_ ? MFT_RADIOCHECK : 0;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    info.hbmpItem = (imageIndex_ >= 0 && Images() != nullptr) ? HBMMENU_CALLBACK : nullptr;
  }
  info.fState = (enabled_ ? MFS_ENABLED : MFS_DISABLED) | (checked_ ? MFS_CHECKED : 0);
  SetMenuItemInfoW(parent_->submenu_, static_cast<UINT>(Position()), TRUE, &info);
  // The menu bar is redrawn when one of its own items changes.
  if (parent_->parent_ == nullptr && parent_->barWindow_ != nullptr)
    DrawMenuBar(parent_->barWindow_);
}

void MenuItem::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  Update();
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void MenuItem::SetChecked(bool checked) {
  checked_ = checked;
  if (checked && radioItem_ && parent_ != nullptr) {
    for (MenuItem* other : parent_->items_) {
      if (other != this && other->radioItem_ && other->groupIndex_ == groupIndex_ &&
          other->checked_) {
        other->checked_ = false;
        other->Update();
      }
    }
  }
  Update();
}

void MenuItem::SetRadioItem(bool radio) {
  radioItem_ = radio;
  Update();
}

void MenuItem::SetImageIndex(int index) {
  imageIndex_ = index;
  Update();
}

void MenuItem::Click() {
  if (autoCheck_) SetChecked(radioItem_ ? true : !checked_);
  if (OnClick) OnClick(*this);
}

MenuItem* MenuItem::FromCommand(UINT id) {
  auto found = Registry().find(id);
  return found != Registry().end() ? found->second : nullptr;
}

MenuItem* MenuItem::FromSubmenu(HMENU menu) {
  if (menu == nullptr) return nullptr;
  for (const auto& [id, item] : Registry()) {
    if (item->submenu_ == menu) return item;
  }
  return nullptr;
}

bool MenuItem::DispatchCommand(UINT id) {
  MenuItem* item = FromCommand(id);
  if (item == nullptr || !item->items_.empty()) return false;
  if (item->enabled_) item->Click();
  return true;
}

bool MenuItem::MeasureMenuImage(MEASUREITEMSTRUCT& measure) {
  auto* item = reinterpret_cast<MenuItem*>(measure.itemData);
  if (item == nullptr || FromCommand(item->id_) != item) return false;
  const ImageList* images = item->Images();
  if (images == nullptr) return false;
  measure.itemWidth = static_cast<UINT>(images->Width());
  measure.itemHeight = static_cast<UINT>(images->Height());
  return true;
}

bool MenuItem::DrawMenuImage(DRAWITEMSTRUCT& draw) {
  auto* item = reinterpret_cast<MenuItem*>(draw.itemData);
  if (item == nullptr || FromCommand(item->id_) != item) return false;
  const ImageList* images = item->Images();
  if (images == nullptr) return false;
  const int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - images->Height()) / 2;
  images->Draw(draw.hDC, item->imageIndex_, draw.rcItem.left, top,
               (draw.itemState & ODS_GRAYED) == 0);
  return true;
}

MainMenu::MainMenu() : MenuItem(CreateMenu()) {}

MainMenu::~MainMenu() {
  // The window lets go of the menu before the menu is destroyed.
  if (barWindow_ != nullptr && IsWindow(barWindow_) && GetMenu(barWindow_) == Handle()) {
    ::SetMenu(barWindow_, nullptr);
  }
}

PopupMenu::PopupMenu() : MenuItem(CreatePopupMenu()) {}

void PopupMenu::Popup(int x, int y, Control& owner) {
  if (OnPopup) OnPopup(*this);
  TrackPopupMenuEx(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, owner.Handle(), nullptr);
}

}  // namespace trovex::ui
