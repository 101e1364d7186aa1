// The location browser in the main window: navigation by double click, back, up,
// the folder picker and the drive combo box, with the navigation sound only where
// a list navigation happens; hidden folders, the view switch, the selection menus
// and what a search walks.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/fs/file_ops.h"
#include "platform/shell/shell_services.h"
#include "search/file_walk.h"
#include "startup_test_support.h"
#include "windows/shell_test_folder.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

class RecordingSound : public os_shell::SoundService {
 public:
  bool PlayFile(const std::string& path) override {
    played.push_back(path);
    return true;
  }
  std::vector<std::string> played;
};

// The shell's answers, except that chosen drives have no display name.
class NamelessDrives : public os_shell::FileInfoService {
 public:
  explicit NamelessDrives(std::vector<std::string> roots) : roots_(std::move(roots)) {}
  os_shell::FileInfo Query(const std::string& path, os_shell::UnknownPathAs fallback) override {
    os_shell::FileInfo info = os_shell::RealServices().fileInfo->Query(path, fallback);
    for (const std::string& root : roots_) {
      if (path == root) info.displayName.clear();
    }
    return info;
  }

 private:
  std::vector<std::string> roots_;
};

const std::string kOmote = "表";  // 0x95 0x5C: its trail byte is a "\"

// A main window made as at start (drive level), with a navigation sound in its
// shared data folder, a recording sound service and a folder tree a, b, 表.
class LocationBrowserTest : public ::testing::Test {
 protected:
  LocationBrowserTest() {
    startup_test::SettingsKeyGuard::CreateEmptyKey();
    os_shell::ShellServices fakes = os_shell::Services();
    fakes.sound = &sound_;
    services_ = std::make_unique<os_shell::ScopedShellServices>(fakes);
    form_ = std::make_unique<TForm1>(StartupEnvironment{dir_.path() + "Trovex.exe", "someone"});
    form_->EnsureCreated();
    fs::ForceDirectories(form_->State.SharedDataDir);
    startup_test::WriteFile(SoundFile(), "RIFF");
    tree_.Folder("b");
    tree_.Folder("a");
    tree_.Folder(kOmote);
  }

  TForm1& Form() { return *form_; }
  shell::LocationBrowser& Browser() { return form_->Browser; }
  const testing::ShellTestFolder& Tree() const { return tree_; }
  std::string SoundFile() const { return form_->State.SharedDataDir + "start.wav"; }
  const std::vector<std::string>& Played() const { return sound_.played; }

  std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (const shell::LocationItem& item : Browser().Items()) captions.push_back(item.caption);
    return captions;
  }
  std::size_t RowOf(const std::string& caption) {
    const auto& items = Browser().Items();
    for (std::size_t row = 0; row < items.size(); ++row) {
      if (items[row].caption == caption) return row;
    }
    ADD_FAILURE() << "no item " << caption;
    return 0;
  }
  std::size_t RowOfPath(const std::string& fullPath) {
    const auto& items = Browser().Items();
    for (std::size_t row = 0; row < items.size(); ++row) {
      if (items[row].fullPath == fullPath) return row;
    }
    ADD_FAILURE() << "no item for " << fullPath;
    return 0;
  }
  // Selects the one item and double-clicks it as the list reports a double click.
  void DoubleClick(std::size_t row) {
    Browser().ListView1.ClearSelection();
    Browser().ListView1.SetSelected(row, true);
    Browser().ListView1.OnDblClick(Browser().ListView1);
  }
  std::string LocationLine() {
    return Browser().ListBox1.ItemCount() > 0 ? Browser().ListBox1.Item(0) : std::string();
  }

 private:
  startup_test::SettingsKeyGuard guard_;
  startup_test::TempDir dir_;
  testing::ShellTestFolder tree_;
  RecordingSound sound_;
  std::unique_ptr<os_shell::ScopedShellServices> services_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(LocationBrowserTest, TheWindowOpensAtTheDriveLevelWithTheDrivesWineMaps) {
  EXPECT_EQ(Browser().CurrentPath(), "");
  EXPECT_TRUE(Browser().BackStack.empty());
  ASSERT_FALSE(Browser().Items().empty());
  const shell::LocationItem& c = Browser().Items()[RowOfPath("C:\\")];
  EXPECT_FALSE(c.caption.empty());
  EXPECT_GE(c.image, 0);
  EXPECT_EQ(LocationLine(), "");
  EXPECT_EQ(Browser().ListView1.Style(), ui::ViewStyle::List);
  EXPECT_TRUE(Played().empty());  // no sound at start-up
}

TEST_F(LocationBrowserTest, DoubleClickOpensTheFolderWithTheSoundAndGrowsTheHistory) {
  Browser().ShowFolder(Tree().Root(), true);
  EXPECT_EQ(Browser().CurrentPath(), Tree().Root());
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", kOmote}));
  EXPECT_EQ(Browser().Items()[0].fullPath, Tree().PathOf("a"));
  EXPECT_TRUE(Played().empty());  // ShowFolder itself plays nothing

  DoubleClick(RowOf("a"));
  EXPECT_EQ(Browser().CurrentPath(), Tree().PathOf("a"));
  EXPECT_EQ(Browser().BackStack, (std::vector<std::string>{Tree().Root()}));
  EXPECT_EQ(Played(), (std::vector<std::string>{SoundFile()}));
  EXPECT_TRUE(Captions().empty());
  EXPECT_EQ(LocationLine(), "a");

  // Nothing selected: nothing happens.
  Browser().ListView1DblClick(Browser().ListView1);
  EXPECT_EQ(Browser().CurrentPath(), Tree().PathOf("a"));
  EXPECT_EQ(Played().size(), 1u);
}

TEST_F(LocationBrowserTest, AFolderEndingInATrailByteBackslashListsItsSubfolders) {
  Tree().Folder(kOmote + "\\x");
  Browser().ShowFolder(Tree().PathOf(kOmote), true);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"x"}));
  EXPECT_EQ(Browser().Items()[0].fullPath, Tree().PathOf(kOmote) + "\\x");
  EXPECT_EQ(LocationLine(), kOmote);

  Browser().GoUp();
  EXPECT_EQ(Browser().CurrentPath(), Tree().Root());
  EXPECT_EQ(Browser().ListView1.SelectedRows(), (std::vector<std::size_t>{RowOf(kOmote)}));
}

TEST_F(LocationBrowserTest, BackFromADriveReturnsToTheDriveLevel) {
  DoubleClick(RowOfPath("C:\\"));
  EXPECT_EQ(Browser().CurrentPath(), "C:\\");
  EXPECT_EQ(Browser().BackStack, (std::vector<std::string>{""}));
  EXPECT_FALSE(LocationLine().empty());  // the drive's display name

  Browser().SpeedButton4Click(Browser().SpeedButton4);
  EXPECT_EQ(Browser().CurrentPath(), "");
  EXPECT_TRUE(Browser().BackStack.empty());
  EXPECT_EQ(Browser().Items()[RowOfPath("C:\\")].fullPath, "C:\\");
  EXPECT_EQ(LocationLine(), "");
  EXPECT_EQ(Played().size(), 2u);

  // An empty history: back does nothing and plays nothing.
  Browser().SpeedButton4Click(Browser().SpeedButton4);
  EXPECT_EQ(Played().size(), 2u);
}

TEST_F(LocationBrowserTest, UpFromAFolderSelectsTheFolderCameFrom) {
  Browser().ShowFolder(Tree().PathOf("b"), true);
  Form().Timer1Timer(Form().Timer1);
  ASSERT_TRUE(Browser().SpeedButton5.Enabled());
  EXPECT_FALSE(Browser().SpeedButton4.Enabled());
  Browser().SpeedButton5.OnClick(Browser().SpeedButton5);
  EXPECT_EQ(Browser().CurrentPath(), Tree().Root());
  EXPECT_EQ(Browser().BackStack, (std::vector<std::string>{Tree().PathOf("b")}));
  EXPECT_EQ(Browser().ListView1.SelectedRows(), (std::vector<std::size_t>{RowOf("b")}));
  EXPECT_EQ(Played().size(), 1u);
  Form().Timer1Timer(Form().Timer1);
  EXPECT_TRUE(Browser().SpeedButton4.Enabled());
}

TEST_F(LocationBrowserTest, UpFromADriveRootSelectsTheDriveAndEmptiesTheHistory) {
  DoubleClick(RowOfPath("C:\\"));
  DoubleClick(0);  // some folder of C:
  Browser().SpeedButton4Click(Browser().SpeedButton4);
  ASSERT_EQ(Browser().CurrentPath(), "C:\\");
  ASSERT_EQ(Browser().BackStack.size(), 1u);

  Browser().GoUp();
  EXPECT_EQ(Browser().CurrentPath(), "");
  EXPECT_TRUE(Browser().BackStack.empty());
  EXPECT_EQ(Browser().ListView1.SelectedRows(), (std::vector<std::size_t>{RowOfPath("C:\\")}));
  Form().Timer1Timer(Form().Timer1);
  EXPECT_FALSE(Browser().SpeedButton4.Enabled());
  EXPECT_FALSE(Browser().SpeedButton5.Enabled());
}

TEST_F(LocationBrowserTest, UpToAParentThatIsNoFolderKeepsTheList) {
  Browser().ShowFolder(Tree().PathOf("a"), true);
  Form().State.Settings.CurrentPath = Tree().PathOf("gone\\a");  // as if removed meanwhile
  Browser().GoUp();
  EXPECT_EQ(Browser().CurrentPath(), Tree().PathOf("gone"));
  EXPECT_EQ(Browser().BackStack, (std::vector<std::string>{Tree().PathOf("gone\\a")}));
  EXPECT_TRUE(Played().empty());
}

TEST_F(LocationBrowserTest, HiddenFoldersAppearDimmedAfterTheMenuAndTheListReloads) {
  Tree().Folder(".secret", FILE_ATTRIBUTE_HIDDEN);
  Browser().ShowFolder(Tree().Root(), true);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", kOmote}));

  Form().HidenMenu.Click();
  EXPECT_TRUE(Form().HidenMenu.Checked());
  EXPECT_EQ(Form().HidenMenu.ImageIndex(), 3);
  ASSERT_EQ(Captions().size(), 4u);
  EXPECT_TRUE(Browser().ListView1.OnCut(RowOf(".secret")));
  EXPECT_FALSE(Browser().ListView1.OnCut(RowOf("a")));
  EXPECT_TRUE(Browser().Items()[RowOf(".secret")].hidden);
  EXPECT_TRUE(Browser().BackStack.empty());
  EXPECT_TRUE(Played().empty());
  Browser().PopupMenu1Popup(Browser().PopupMenu1);
  EXPECT_EQ(Browser().PopupShowHidden.ImageIndex(), 3);
  EXPECT_TRUE(Browser().PopupShowHidden.Checked());

  // The context menu's item toggles the same setting.
  Browser().PopupShowHidden.Click();
  EXPECT_FALSE(Form().HidenMenu.Checked());
  EXPECT_EQ(Form().HidenMenu.ImageIndex(), 2);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", kOmote}));
}

TEST_F(LocationBrowserTest, TheFolderPickerCancelledChangesNothingAndPlaysNothing) {
  Browser().ShowFolder(Tree().Root(), true);
  testing::ScriptedPrompts prompts;
  prompts.ExpectFolder("");
  Form().Open1.Click();
  EXPECT_EQ(prompts.Texts(), (std::vector<std::string>{"検索するフォルダを選択して下さい"}));
  EXPECT_EQ(Browser().CurrentPath(), Tree().Root());
  EXPECT_TRUE(Browser().BackStack.empty());
  EXPECT_TRUE(Played().empty());

  prompts.ExpectFolder(Tree().PathOf("b"));
  Browser().PopupOpen.Click();
  EXPECT_EQ(Browser().CurrentPath(), Tree().PathOf("b"));
  EXPECT_EQ(Browser().BackStack, (std::vector<std::string>{Tree().Root()}));
  EXPECT_EQ(Played().size(), 1u);
}

TEST_F(LocationBrowserTest, TheDriveComboBoxOpensARootWithoutHistoryOrSound) {
  Browser().ShowFolder(Tree().Root(), true);
  DoubleClick(RowOf("a"));
  ASSERT_EQ(Browser().BackStack, (std::vector<std::string>{Tree().Root()}));

  // A change the drop-down did not arm does nothing.
  Browser().DriveComboBox1.SetDrive('C');
  Browser().DriveComboBox1Change(Browser().DriveComboBox1);
  EXPECT_EQ(Browser().CurrentPath(), Tree().PathOf("a"));

  Browser().DriveComboBox1.SetDrive('Z');
  Browser().DriveComboBox1DropDown(Browser().DriveComboBox1);
  EXPECT_EQ(Browser().DriveComboBox1.Drive(), Tree().Root()[0]);  // the shown folder's drive
  Browser().DriveComboBox1Click(Browser().DriveComboBox1);
  EXPECT_FALSE(Browser().ListBox1.Visible());
  Browser().DriveComboBox1.SetDrive('C');
  Browser().DriveComboBox1Change(Browser().DriveComboBox1);
  EXPECT_EQ(Browser().CurrentPath(), "C:\\");
  EXPECT_EQ(Browser().BackStack, (std::vector<std::string>{Tree().Root()}));
  EXPECT_EQ(Played().size(), 1u);
  EXPECT_TRUE(Browser().ListBox1.Visible());

  // Back goes to where the last list navigation started.
  Browser().SpeedButton4Click(Browser().SpeedButton4);
  EXPECT_EQ(Browser().CurrentPath(), Tree().Root());
}

TEST_F(LocationBrowserTest, ChosenLocationsFollowTheListOrderOrTakeEveryDrive) {
  search::SearchLocations chosen = Browser().ChosenLocations();
  EXPECT_TRUE(chosen.everyDrive);
  EXPECT_TRUE(chosen.paths.empty());

  Browser().ShowFolder(Tree().Root(), true);
  Browser().ListView1.SetSelected(RowOf(kOmote), true);
  Browser().ListView1.SetSelected(RowOf("a"), true);
  chosen = Browser().ChosenLocations();
  EXPECT_FALSE(chosen.everyDrive);
  EXPECT_EQ(chosen.paths, (std::vector<std::string>{Tree().PathOf("a"), Tree().PathOf(kOmote)}));

  Browser().ListView1.ClearSelection();
  EXPECT_EQ(Browser().ChosenLocations().paths, (std::vector<std::string>{Tree().Root()}));
}

TEST_F(LocationBrowserTest, ADriveWithoutANameIsNotListedButIsStillSearched) {
  const std::vector<std::string> drives = search::ListDrives();
  ASSERT_GE(drives.size(), 2u);  // Wine maps C: and Z:
  for (const std::string& drive : drives)
    EXPECT_TRUE(drive.size() == 2 && drive[1] == ':') << drive;
  NamelessDrives nameless({drives.back() + "\\"});
  os_shell::ShellServices fakes = os_shell::Services();
  fakes.fileInfo = &nameless;
  os_shell::ScopedShellServices replaced(fakes);
  Browser().ShowDriveLevel();
  EXPECT_EQ(Browser().Items().size(), drives.size() - 1);
  for (const shell::LocationItem& item : Browser().Items())
    EXPECT_NE(item.fullPath, drives.back() + "\\");
  // With nothing selected the search takes every drive the system has.
  EXPECT_TRUE(Browser().ChosenLocations().everyDrive);
}

TEST_F(LocationBrowserTest, TheViewButtonAndTheMenusSwitchBetweenListAndLargeIcons) {
  ui::SpeedButton& view = Browser().SpeedButton6;
  SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(view.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(view.Down());
  EXPECT_TRUE(Form().LargeIcon1.Checked());
  EXPECT_FALSE(Form().N2.Checked());
  EXPECT_EQ(Browser().ListView1.Style(), ui::ViewStyle::Icon);

  Form().N2.Click();
  EXPECT_TRUE(Form().N2.Checked());
  EXPECT_FALSE(Form().LargeIcon1.Checked());
  EXPECT_FALSE(view.Down());
  EXPECT_EQ(Browser().ListView1.Style(), ui::ViewStyle::List);

  Browser().PopupLargeIcons.Click();
  EXPECT_TRUE(Form().LargeIcon1.Checked());
  EXPECT_TRUE(view.Down());
  EXPECT_EQ(Browser().ListView1.Style(), ui::ViewStyle::Icon);
}

TEST_F(LocationBrowserTest, SelectAllAndInvertSelectionActOnTheList) {
  Browser().ShowFolder(Tree().Root(), true);
  Form().A1.Click();
  EXPECT_EQ(Browser().ListView1.SelCount(), 3u);
  Browser().ListView1.ClearSelection();
  Browser().ListView1.SetSelected(RowOf("b"), true);
  Form().I1.Click();
  EXPECT_EQ(Browser().ListView1.SelectedRows(),
            (std::vector<std::size_t>{RowOf("a"), RowOf(kOmote)}));
  Browser().PopupInvertSelection.Click();
  EXPECT_EQ(Browser().ListView1.SelectedRows(), (std::vector<std::size_t>{RowOf("b")}));
}

}  // namespace
}  // namespace trovex::app
