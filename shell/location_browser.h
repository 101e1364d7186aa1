#pragma once
// The location browser: the main window's left column, where a user picks the
// drives and folders a search walks. A list shows the drives (the drive level) or
// the subfolders of one folder; a drive combo box with a one-line box drawn over
// it names the location; back, up and view buttons sit beside it. The main
// window's menus for opening a folder, the selection, the view and hidden folders
// act on it (Attach). It reads and changes CurrentPath in the program's state.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/ui/drive_combo_box.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "results/program_state.h"
#include "search/search_locations.h"

namespace trovex::shell {

// One row of the list: a drive or a folder.
struct LocationItem {
  std::string caption;   // display name of a drive, name of a folder
  std::string fullPath;  // "X:\" for a drive; folder + "\" + name for a folder
  int image = -1;        // in the system image lists
  bool hidden = false;   // drawn dimmed
};

// The main window's menu items that act on the browser.
struct BrowserMenuItems {
  ui::MenuItem* open;             // 開く(&O)
  ui::MenuItem* selectAll;        // 全て選択(&A)
  ui::MenuItem* invertSelection;  // 選択の切り替え(&I)
  ui::MenuItem* largeIcons;       // 大きいアイコン
  ui::MenuItem* list;             // 一覧
  ui::MenuItem* showHidden;       // 隠し属性を表示
};

class LocationBrowser : public ui::Panel {
  // First, so that they outlive the controls, whose last messages may ask for rows.
  results::ProgramState& state_;
  std::vector<LocationItem> items_;
  BrowserMenuItems menus_{};
  bool driveChangeArmed_ = false;

 public:
  LocationBrowser(ui::Control* parent, results::ProgramState& state);

  // Takes the main window's pictures (4 back, 5 up, 6 view, 2 and 3 the hidden
  // folders item) and wires its menu items to the handlers here.
  void Attach(const ui::ImageList& images, const BrowserMenuItems& menus);

  results::ProgramState& State() { return state_; }
  // The folder shown; empty at the drive level.
  const std::string& CurrentPath() const { return state_.Settings.CurrentPath; }
  const std::vector<LocationItem>& Items() const { return items_; }

  // The folders visited before the current one, most recent last.
  std::vector<std::string> BackStack;

  void ShowDriveLevel();
  void ShowFolder(const std::string& path, bool clear);
  bool EnsureReachable(const std::string& path, void* owner);
  void GoUp();
  void NavigationSound();
  std::string LocationCaption(const std::string& path);
  // What a search or a pre-count walks (read when it starts).
  search::SearchLocations ChosenLocations() const;
  // The main window's timer: up while a folder is shown, back while there is history.
  void UpdateNavigationButtons();

  void ListView1DblClick(ui::Component& sender);
  void SpeedButton4Click(ui::Component& sender);
  void SpeedButton5Click(ui::Component& sender);
  void SpeedButton6Click(ui::Component& sender);
  void DriveComboBox1DropDown(ui::Component& sender);
  void DriveComboBox1Change(ui::Component& sender);
  void DriveComboBox1Click(ui::Component& sender);
  void DriveComboBox1Exit(ui::Component& sender);
  void ListBox1DrawItem(ui::ListBox& box, int index, ui::Canvas& canvas, const RECT& rect,
                        ui::OwnerDrawState state);
  void Open1Click(ui::Component& sender);
  void A1Click(ui::Component& sender);
  void LargeIcon1Click(ui::Component& sender);
  void HidenMenuClick(ui::Component& sender);
  void PopupMenu1Popup(ui::Component& sender);

  // Layout within the column.
  static constexpr int kTopRowHeight = 24;
  static constexpr int kButtonWidth = 24;

  ui::DriveComboBox DriveComboBox1;
  ui::ListBox ListBox1;          // drawn over the combo box: the current location
  ui::SpeedButton SpeedButton4;  // back
  ui::SpeedButton SpeedButton5;  // up
  ui::SpeedButton SpeedButton6;  // view switch
  ui::ListView ListView1;

  // The list's context menu: the same commands as the main window's menus.
  ui::PopupMenu PopupMenu1;
  ui::MenuItem PopupOpen{"開く(&O)"};
  ui::MenuItem PopupRule1{"-"};
  ui::MenuItem PopupSelectAll{"全て選択(&A)"};
  ui::MenuItem PopupInvertSelection{"選択の切り替え(&I)"};
  ui::MenuItem PopupRule2{"-"};
  ui::MenuItem PopupLargeIcons{"大きいアイコン"};
  ui::MenuItem PopupList{"一覧"};
  ui::MenuItem PopupRule3{"-"};
  ui::MenuItem PopupShowHidden{"隠し属性を表示"};

  // Places the controls in the new bounds.
  void SetBounds(int left, int top, int width, int height) override;

 private:
  void BuildPopupMenu();
  void PlaceControls();
  // The icon of a path in the system image lists, asking for a plain folder's or
  // file type's icon when the shell does not know the path.
  int IconOf(const std::string& path);
  bool ShowsHidden() const;
  void ApplyViewStyle();
  // The main window's item a popup item stands for (the item itself otherwise).
  ui::MenuItem* MainItemFor(ui::Component& sender);
  void SelectItemCameFrom(const std::string& name, const std::string& root);
  void ShowLocationLine();
  void* OwnerWindow();
};

}  // namespace trovex::shell
