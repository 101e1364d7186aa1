#include "shell/location_browser.h"

#include <algorithm>

#include "platform/fs/dir_listing.h"
#include "platform/fs/drives.h"
#include "platform/fs/file_ops.h"
#include "platform/shell/shell_services.h"
#include "platform/shell/shortcut.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/wide.h"
#include "search/file_extension.h"
#include "shell/location_paths.h"

namespace trovex::shell {
namespace {

// Pictures of the main window's image list.
constexpr int kImageHiddenOff = 2;
constexpr int kImageHiddenOn = 3;
constexpr int kImageBack = 4;
constexpr int kImageUp = 5;
constexpr int kImageView = 6;
constexpr int kImageSelectAll = 9;
constexpr int kImageOpen = 10;
constexpr int kImageInvert = 11;

constexpr int kIconSize = 16;

// The last component has a dot (the shell is asked about it as about a file).
bool NameHasDot(const std::string& path) {
  const std::string name = LastPathComponent(path);
  return name.find('.') != std::string::npos;
}

// The locale's order of two captions, as the system compares texts.
bool CaptionBefore(const LocationItem& a, const LocationItem& b) {
  return lstrcmpW(ui::Widen(a.caption).c_str(), ui::Widen(b.caption).c_str()) < 0;
}

}  // namespace

LocationBrowser::LocationBrowser(ui::Control* parent, results::ProgramState& state)
    : ui::Panel(parent),
      state_(state),
      DriveComboBox1(this),
      ListBox1(this, ui::ListBoxStyle::OwnerDrawFixed),
      SpeedButton4(this),
      SpeedButton5(this),
      SpeedButton6(this),
      ListView1(this, ui::ViewStyle::List) {
  SetBevelOuter(ui::Bevel::None);

  DriveComboBox1.OnDropDown = ui::Bind(this, &LocationBrowser::DriveComboBox1DropDown);
  DriveComboBox1.OnChange = ui::Bind(this, &LocationBrowser::DriveComboBox1Change);
  DriveComboBox1.OnClick = ui::Bind(this, &LocationBrowser::DriveComboBox1Click);
  DriveComboBox1.OnExit = ui::Bind(this, &LocationBrowser::DriveComboBox1Exit);

  // The one-line box lies over the combo box's text, borderless, and opens the
  // combo box's list when clicked.
  ListBox1.SetBorderless();
  ListBox1.OnDrawItem = ui::Bind(this, &LocationBrowser::ListBox1DrawItem);
  ListBox1.OnMouseDown = [this](ui::Component&, ui::MouseButton, ui::ShiftState, int, int) {
    DriveComboBox1.SetFocus();
    DriveComboBox1.SetDroppedDown(true);
  };

  SpeedButton4.SetHint("戻る");
  SpeedButton5.SetHint("一つ上のフォルダ");
  SpeedButton6.SetHint("表示切換");
  SpeedButton4.SetEnabled(false);  // the main window's timer enables back and up
  SpeedButton5.SetEnabled(false);
  SpeedButton6.SetGroupIndex(1);  // a toggle: down shows large icons
  SpeedButton6.SetAllowAllUp(true);
  SpeedButton4.OnClick = ui::Bind(this, &LocationBrowser::SpeedButton4Click);
  SpeedButton5.OnClick = ui::Bind(this, &LocationBrowser::SpeedButton5Click);
  SpeedButton6.OnClick = ui::Bind(this, &LocationBrowser::SpeedButton6Click);

  ListView1.AddColumn({"名前", 200});
  ListView1.SetMultiSelect(true);
  ListView1.SetReadOnly(true);
  ListView1.SetHideSelection(false);
  ListView1.SetHint(
      "検索ドライブの選択|選択したドライブ又はフォルダを検索("
      "選択なければ全てのドライブかフォルダ)");
  os_shell::SystemImageListService& icons = *os_shell::Services().imageLists;
  HIMAGELIST large = icons.Large();
  HIMAGELIST small = icons.Small();
  if (large != nullptr && small != nullptr) {
    ListView1.SetSmallImages(small, true);
    ListView1.SetLargeImages(large, true);
  }
  ListView1.OnData = [this](std::size_t row, int) {
    return row < items_.size() ? items_[row].caption : std::string();
  };
  ListView1.OnImage = [this](std::size_t row) {
    return row < items_.size() ? items_[row].image : -1;
  };
  ListView1.OnCut = [this](std::size_t row) { return row < items_.size() && items_[row].hidden; };
  ListView1.OnDblClick = ui::Bind(this, &LocationBrowser::ListView1DblClick);
  BuildPopupMenu();
  ListView1.SetPopupMenu(&PopupMenu1);
  ListBox1.BringToFront();
}

void LocationBrowser::BuildPopupMenu() {
  PopupMenu1.Add(PopupOpen);
  PopupMenu1.Add(PopupRule1);
  PopupMenu1.Add(PopupSelectAll);
  PopupMenu1.Add(PopupInvertSelection);
  PopupMenu1.Add(PopupRule2);
  PopupMenu1.Add(PopupLargeIcons);
  PopupMenu1.Add(PopupList);
  PopupMenu1.Add(PopupRule3);
  PopupMenu1.Add(PopupShowHidden);
  PopupOpen.SetImageIndex(kImageOpen);
  PopupSelectAll.SetImageIndex(kImageSelectAll);
  PopupInvertSelection.SetImageIndex(kImageInvert);
  PopupLargeIcons.SetRadioItem(true);
  PopupList.SetRadioItem(true);
  PopupList.SetChecked(true);
  PopupShowHidden.SetImageIndex(kImageHiddenOff);
  PopupOpen.OnClick = ui::Bind(this, &LocationBrowser::Open1Click);
  PopupSelectAll.OnClick = ui::Bind(this, &LocationBrowser::A1Click);
  PopupInvertSelection.OnClick = ui::Bind(this, &LocationBrowser::A1Click);
  PopupLargeIcons.OnClick = ui::Bind(this, &LocationBrowser::LargeIcon1Click);
  PopupList.OnClick = ui::Bind(this, &LocationBrowser::LargeIcon1Click);
  PopupShowHidden.OnClick = ui::Bind(this, &LocationBrowser::HidenMenuClick);
  PopupMenu1.OnPopup = ui::Bind(this, &LocationBrowser::PopupMenu1Popup);
}

void LocationBrowser::Attach(const ui::ImageList& images, const BrowserMenuItems& menus) {
  menus_ = menus;
  SpeedButton4.SetGlyph(&images, kImageBack);
  SpeedButton5.SetGlyph(&images, kImageUp);
  SpeedButton6.SetGlyph(&images, kImageView);
  PopupMenu1.SetImages(&images);
  menus_.open->OnClick = ui::Bind(this, &LocationBrowser::Open1Click);
  menus_.selectAll->OnClick = ui::Bind(this, &LocationBrowser::A1Click);
  menus_.invertSelection->OnClick = ui::Bind(this, &LocationBrowser::A1Click);
  menus_.largeIcons->OnClick = ui::Bind(this, &LocationBrowser::LargeIcon1Click);
  menus_.list->OnClick = ui::Bind(this, &LocationBrowser::LargeIcon1Click);
  menus_.showHidden->OnClick = ui::Bind(this, &LocationBrowser::HidenMenuClick);
}

void LocationBrowser::SetBounds(int left, int top, int width, int height) {
  ui::Panel::SetBounds(left, top, width, height);
  PlaceControls();
}

void LocationBrowser::PlaceControls() {
  const int width = ClientWidth();
  const int buttonsLeft = width - 3 * kButtonWidth;
  const int comboWidth = buttonsLeft - 4;
  DriveComboBox1.SetBounds(0, 1, comboWidth, kTopRowHeight);
  // Over the combo box's text, leaving its drop-down button free.
  const int boxHeight = DriveComboBox1.Height() - 6;
  ListBox1.SetItemHeight(boxHeight);
  ListBox1.SetBounds(3, 4, comboWidth - VerticalScrollBarWidth() - 6, boxHeight);
  SpeedButton4.SetBounds(buttonsLeft, 0, kButtonWidth, kTopRowHeight);
  SpeedButton5.SetBounds(buttonsLeft + kButtonWidth, 0, kButtonWidth, kTopRowHeight);
  SpeedButton6.SetBounds(buttonsLeft + 2 * kButtonWidth, 0, kButtonWidth, kTopRowHeight);
  const int listTop = kTopRowHeight + 4;
  ListView1.SetBounds(0, listTop, width, std::max(0, ClientHeight() - listTop));
}

bool LocationBrowser::ShowsHidden() const {
  return menus_.showHidden != nullptr && menus_.showHidden->Checked();
}

void* LocationBrowser::OwnerWindow() {
  ui::Form* form = OwnerForm();
  return form != nullptr ? form->Handle() : Handle();
}

int LocationBrowser::IconOf(const std::string& path) {
  const os_shell::UnknownPathAs fallback =
      fs::IsExistingFolder(path) ? os_shell::UnknownPathAs::Folder : os_shell::UnknownPathAs::File;
  return os_shell::Services().fileInfo->Query(path, fallback).iconIndex;
}

void LocationBrowser::ShowDriveLevel() {
  fs::SuppressCriticalErrorDialogs();  // drives without media raise no dialog
  const std::vector<std::string> drives = fs::LogicalDrives();
  ListView1.BeginUpdate();
  ListView1.ClearSelection();
  items_.clear();
  for (const std::string& drive : drives) {
    const std::string root = DriveRootOf(drive);
    const os_shell::FileInfo info =
        os_shell::Services().fileInfo->Query(root, os_shell::UnknownPathAs::Nothing);
    if (info.displayName.empty()) continue;  // no name: not listed
    items_.push_back({info.displayName, root, info.iconIndex, false});
  }
  ListView1.SetRowCount(items_.size());
  ListView1.Refresh();
  ListView1.EndUpdate();
  state_.Settings.CurrentPath.clear();
  ShowLocationLine();
}

void LocationBrowser::ShowFolder(const std::string& path, bool clear) {
  if (path.empty() || fs::IsExistingFile(path)) return;
  ListView1.BeginUpdate();
  if (clear) {
    ListView1.ClearSelection();
    items_.clear();
    ListView1.SetRowCount(0);
  }
  {
    ui::BusyCursor hourglass;
    for (const os_shell::SubFolder& folder :
         os_shell::Services().folders->SubFolders(path, ShowsHidden())) {
      const std::string fullPath = FolderItemPath(path, folder.name);
      items_.push_back({folder.name, fullPath, IconOf(fullPath), folder.hidden});
    }
  }
  state_.Settings.CurrentPath = path;
  std::stable_sort(items_.begin(), items_.end(), CaptionBefore);
  ListView1.SetRowCount(items_.size());
  ListView1.Refresh();
  ListView1.EndUpdate();
  ShowLocationLine();
}

void LocationBrowser::ShowLocationLine() {
  if (CurrentPath().empty()) {
    ListBox1.ClearItems();
  } else {
    ListBox1.SetItems({LocationCaption(CurrentPath())});
  }
  ListBox1.Invalidate();
}

bool LocationBrowser::EnsureReachable(const std::string& path, void* owner) {
  return os_shell::Services().folders->Reachable(owner, path);
}

void LocationBrowser::NavigationSound() {
  if (state_.OsLevel <= 1) return;
  const std::string sound = state_.SharedDataDir + "start.wav";
  if (fs::IsExistingFile(sound)) os_shell::Services().sound->PlayFile(sound);
}

std::string LocationBrowser::LocationCaption(const std::string& path) {
  if (path.empty()) return {};
  std::string caption = LastPathComponent(path);
  if (!caption.empty()) return caption;
  const std::string drive = path.size() >= 2 && path[1] == ':' ? DriveRootOf(path) : path;
  return os_shell::Services().fileInfo->Query(drive, os_shell::UnknownPathAs::Nothing).displayName;
}

search::SearchLocations LocationBrowser::ChosenLocations() const {
  std::vector<std::string> paths;
  paths.reserve(items_.size());
  for (const LocationItem& item : items_) paths.push_back(item.fullPath);
  return ChosenLocationsOf(paths, ListView1.SelectedRows(), CurrentPath());
}

void LocationBrowser::UpdateNavigationButtons() {
  const bool canGoUp = !CurrentPath().empty();
  if (SpeedButton5.Enabled() != canGoUp) SpeedButton5.SetEnabled(canGoUp);
  const bool canGoBack = !BackStack.empty();
  if (SpeedButton4.Enabled() != canGoBack) SpeedButton4.SetEnabled(canGoBack);
}

void LocationBrowser::GoUp() {
  const UpStep step = PlanGoUp(CurrentPath());
  BackStack.push_back(CurrentPath());
  state_.Settings.CurrentPath = step.parent;
  if (step.parent.empty()) {
    NavigationSound();
    ShowDriveLevel();
    BackStack.clear();
  } else if (fs::IsExistingFolder(step.parent)) {
    NavigationSound();
    ShowFolder(step.parent, true);
  } else {
    return;  // the list keeps the old folder; CurrentPath already names the parent
  }
  SelectItemCameFrom(step.name, step.root);
}

void LocationBrowser::SelectItemCameFrom(const std::string& name, const std::string& root) {
  const std::size_t byCaption = name.empty() ? ui::ListView::npos : ListView1.FindCaption(name);
  if (byCaption != ui::ListView::npos) {
    ListView1.SetSelected(byCaption, true);
    ListView1.SetItemFocused(byCaption);
    ListView1.EnsureVisible(byCaption);
    return;
  }
  if (root.empty()) return;
  for (std::size_t row = 0; row < items_.size(); ++row) {
    if (items_[row].fullPath == root) {
      ListView1.SetSelected(row, true);
      ListView1.SetItemFocused(row);
      return;
    }
  }
}

void LocationBrowser::ListView1DblClick(ui::Component&) {
  const std::size_t row = ListView1.FirstSelected();
  if (row == ui::ListView::npos || row >= items_.size()) return;
  std::string path = items_[row].fullPath;
  if (!fs::IsExistingFolder(path)) {
    if (search::HasExtension(path, ".lnk")) {
      if (const auto target = os_shell::ReadShortcutTarget(path)) path = *target;
    }
    if (!EnsureReachable(path, OwnerWindow())) return;
  }
  if (fs::IsExistingFolder(path)) BackStack.push_back(CurrentPath());
  NavigationSound();
  ShowFolder(path, true);
}

void LocationBrowser::SpeedButton4Click(ui::Component&) {
  if (BackStack.empty()) return;
  state_.Settings.CurrentPath = BackStack.back();
  BackStack.pop_back();
  NavigationSound();
  if (!CurrentPath().empty()) {
    ShowFolder(CurrentPath(), true);
  } else {
    ShowDriveLevel();
  }
}

void LocationBrowser::SpeedButton5Click(ui::Component&) { GoUp(); }

void LocationBrowser::SpeedButton6Click(ui::Component&) {
  if (menus_.largeIcons != nullptr) {
    (SpeedButton6.Down() ? menus_.largeIcons : menus_.list)->SetChecked(true);
  }
  ApplyViewStyle();
}

void LocationBrowser::ApplyViewStyle() {
  ListView1.SetViewStyle(SpeedButton6.Down() ? ui::ViewStyle::Icon : ui::ViewStyle::List);
}

void LocationBrowser::DriveComboBox1DropDown(ui::Component&) {
  if (!CurrentPath().empty()) DriveComboBox1.SetDrive(CurrentPath()[0]);  // runs no change
  driveChangeArmed_ = true;
}

void LocationBrowser::DriveComboBox1Change(ui::Component&) {
  if (!driveChangeArmed_) return;
  driveChangeArmed_ = false;
  const char letter = DriveComboBox1.Drive();
  if (letter != 0) {
    const std::string root = std::string(1, letter) + ":\\";
    if (EnsureReachable(root, OwnerWindow())) ShowFolder(root, true);
  }
  ListBox1.Show();
  ListView1.SetFocus();
}

void LocationBrowser::DriveComboBox1Click(ui::Component&) { ListBox1.Hide(); }

void LocationBrowser::DriveComboBox1Exit(ui::Component&) { ListBox1.Show(); }

void LocationBrowser::ListBox1DrawItem(ui::ListBox& box, int index, ui::Canvas& canvas,
                                       const RECT& rect, ui::OwnerDrawState) {
  canvas.FillRect(rect);
  canvas.SetTransparent(true);
  std::string path = CurrentPath();
  if (search::HasExtension(path, ".lnk") && os_shell::ShortcutTargetExists(path)) {
    if (const auto target = os_shell::ReadShortcutTarget(path)) path = *target;
  }
  const ui::Color textColor =
      canvas.BrushColor() == ui::clHighlight ? ui::clHighlightText : ui::clWindowText;
  int d = 0;
  if (path.size() > 3) {  // below a root: the drive letter in bold first
    ui::FontInfo bold = box.Font();
    bold.bold = true;
    canvas.SetFont(bold);
    canvas.SetFontColor(textColor);
    const std::string letter = path.substr(0, 1);
    canvas.TextOut(rect.left + 1, rect.top + 1, letter);
    d = canvas.TextWidth(letter) + 3;
    canvas.SetFont(box.Font());
  }
  const os_shell::UnknownPathAs fallback =
      NameHasDot(path) ? os_shell::UnknownPathAs::File : os_shell::UnknownPathAs::Folder;
  const int icon = os_shell::Services().fileInfo->Query(path, fallback).iconIndex;
  HIMAGELIST small = os_shell::Services().imageLists->Small();
  if (small != nullptr && icon >= 0) canvas.Draw(rect.left + d + 1, rect.top, small, icon);
  canvas.SetFontColor(textColor);
  canvas.TextOut(rect.left + d + kIconSize + 3, rect.top + 1, box.Item(index));
}

ui::MenuItem* LocationBrowser::MainItemFor(ui::Component& sender) {
  if (&sender == &PopupOpen) return menus_.open;
  if (&sender == &PopupSelectAll) return menus_.selectAll;
  if (&sender == &PopupInvertSelection) return menus_.invertSelection;
  if (&sender == &PopupLargeIcons) return menus_.largeIcons;
  if (&sender == &PopupList) return menus_.list;
  if (&sender == &PopupShowHidden) return menus_.showHidden;
  return dynamic_cast<ui::MenuItem*>(&sender);
}

void LocationBrowser::Open1Click(ui::Component&) {
  const std::string path = ui::App().BrowseForFolder("検索するフォルダを選択して下さい", "");
  if (path.empty() || !EnsureReachable(path, OwnerWindow())) return;
  if (fs::IsExistingFolder(path)) BackStack.push_back(CurrentPath());
  NavigationSound();
  ShowFolder(path, true);
}

void LocationBrowser::A1Click(ui::Component& sender) {
  const ui::MenuItem* item = MainItemFor(sender);
  if (item == nullptr) return;
  if (item == menus_.selectAll) {
    ListView1.SelectAll();
  } else if (item == menus_.invertSelection) {
    ListView1.InvertSelection();
  }
}

void LocationBrowser::LargeIcon1Click(ui::Component& sender) {
  ui::MenuItem* item = MainItemFor(sender);
  if (item == nullptr || menus_.largeIcons == nullptr) return;
  item->SetChecked(!item->Checked());
  SpeedButton6.SetDown(menus_.largeIcons->Checked());
  ApplyViewStyle();
}

void LocationBrowser::HidenMenuClick(ui::Component& sender) {
  ui::MenuItem* item = MainItemFor(sender);
  if (item == nullptr) return;
  item->SetChecked(!item->Checked());
  item->SetImageIndex(item->Checked() ? kImageHiddenOn : kImageHiddenOff);
  if (!CurrentPath().empty()) ShowFolder(CurrentPath(), true);
}

void LocationBrowser::PopupMenu1Popup(ui::Component&) {
  if (menus_.showHidden == nullptr) return;
  PopupShowHidden.SetChecked(menus_.showHidden->Checked());
  PopupShowHidden.SetImageIndex(menus_.showHidden->ImageIndex());
  PopupLargeIcons.SetChecked(menus_.largeIcons->Checked());
  PopupList.SetChecked(menus_.list->Checked());
}

}  // namespace trovex::shell
