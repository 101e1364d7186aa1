// The location browser's path arithmetic: the up button's parent and name, the
// last component shown over the drive combo box, folder item paths and the order
// of the chosen locations. "表" is 0x95 0x5C in CP932: its trail byte is a "\".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/location_paths.h"

namespace trovex::shell {
namespace {

const std::string kOmote = "\x95\x5C";  // 表

void ExpectUp(const std::string& from, const std::string& parent, const std::string& name,
              const std::string& root) {
  const UpStep step = PlanGoUp(from);
  EXPECT_EQ(step.parent, parent) << from;
  EXPECT_EQ(step.name, name) << from;
  EXPECT_EQ(step.root, root) << from;
}

TEST(LocationGoUp, FoldersGoToTheirParentAndSelectTheFolderCameFrom) {
  ExpectUp("C:\\a", "C:\\", "a", "");
  ExpectUp("C:\\a\\b", "C:\\a", "b", "");
  ExpectUp("D:\\x\\y\\zz", "D:\\x\\y", "zz", "");
}

TEST(LocationGoUp, ADriveRootGoesToTheDriveLevelRememberingTheRoot) {
  ExpectUp("C:\\", "", "", "C:\\");
  ExpectUp("Z:\\", "", "", "Z:\\");
  ExpectUp("C:", "", "", "C:");
}

TEST(LocationGoUp, NetworkPathsGoToTheServerAndThenToTheDriveLevel) {
  ExpectUp("\\\\server\\share", "\\\\server", "share", "");
  ExpectUp("\\\\server\\share\\docs", "\\\\server\\share", "docs", "");
  // A bare server has no parent folder.
  ExpectUp("\\\\server", "", "server", "");
}

TEST(LocationGoUp, ATrailingSeparatorLeavesTheFolderItself) {
  // The name after the last "\" is empty, so the parent's text is the name to find.
  ExpectUp("C:\\a\\", "C:\\a", "C:\\a", "");
  ExpectUp("\\\\server\\share\\", "\\\\server\\share", "\\\\server\\share", "");
}

TEST(LocationGoUp, ATrailByteBackslashDoesNotSeparate) {
  ExpectUp("C:\\" + kOmote, "C:\\", kOmote, "");
  ExpectUp("C:\\" + kOmote + "\\b", "C:\\" + kOmote, "b", "");
  ExpectUp("C:\\a\\" + kOmote + kOmote, "C:\\a", kOmote + kOmote, "");
  ExpectUp("\\\\" + kOmote, "", kOmote, "");  // a server named 表 is still bare
  ExpectUp("\\\\s\\" + kOmote, "\\\\s", kOmote, "");
}

TEST(LocationCaptionText, TheLastComponentAfterBackslashOrColon) {
  EXPECT_EQ(LastPathComponent("C:\\Windows\\System32"), "System32");
  EXPECT_EQ(LastPathComponent("C:\\"), "");
  EXPECT_EQ(LastPathComponent("C:"), "");
  EXPECT_EQ(LastPathComponent("C:name"), "name");
  EXPECT_EQ(LastPathComponent("\\\\server\\share"), "share");
  EXPECT_EQ(LastPathComponent("plain"), "plain");
  EXPECT_EQ(LastPathComponent(""), "");
  EXPECT_EQ(LastPathComponent("C:\\" + kOmote), kOmote);
  EXPECT_EQ(LastPathComponent("C:\\x" + kOmote + "y"), "x" + kOmote + "y");
}

TEST(LocationCaptionText, DirectoryPartKeepsTheBackslashOfARoot) {
  EXPECT_EQ(DirectoryPart("C:\\a"), "C:\\");
  EXPECT_EQ(DirectoryPart("C:\\"), "C:\\");
  EXPECT_EQ(DirectoryPart("C:\\a\\b"), "C:\\a");
  EXPECT_EQ(DirectoryPart("\\\\server\\share"), "\\\\server");
  EXPECT_EQ(DirectoryPart("\\\\server"), "\\\\");  // after another "\": kept
  EXPECT_EQ(DirectoryPart("name"), "");
  EXPECT_EQ(DirectoryPart("C:\\" + kOmote + "\\b"), "C:\\" + kOmote);
}

TEST(LocationFolderItem, TheFullPathGetsOneBackslashBeforeTheName) {
  EXPECT_EQ(FolderItemPath("C:\\", "a"), "C:\\a");
  EXPECT_EQ(FolderItemPath("C:\\a", "b"), "C:\\a\\b");
  EXPECT_EQ(FolderItemPath("\\\\server\\share", "b"), "\\\\server\\share\\b");
  // The folder 表 ends with the trail byte 0x5C, which is no separator.
  EXPECT_EQ(FolderItemPath("C:\\" + kOmote, "b"), "C:\\" + kOmote + "\\b");
  EXPECT_EQ(FolderItemPath("C:\\" + kOmote + "\\", "b"), "C:\\" + kOmote + "\\b");
  EXPECT_TRUE(EndsWithSeparator("C:\\"));
  EXPECT_FALSE(EndsWithSeparator("C:\\" + kOmote));
  EXPECT_FALSE(EndsWithSeparator("C:"));
  EXPECT_EQ(DriveRootOf("Z:"), "Z:\\");
}

TEST(LocationChoice, SelectedItemsAreTakenInListOrder) {
  const std::vector<std::string> drives{"A:\\", "C:\\", "D:\\"};
  // C: was selected before A:.
  search::SearchLocations chosen = ChosenLocationsOf(drives, {1, 0}, "");
  EXPECT_FALSE(chosen.everyDrive);
  EXPECT_EQ(chosen.paths, (std::vector<std::string>{"A:\\", "C:\\"}));

  chosen = ChosenLocationsOf({"C:\\a\\x", "C:\\a\\y", "C:\\a\\z"}, {2, 0, 1}, "C:\\a");
  EXPECT_EQ(chosen.paths, (std::vector<std::string>{"C:\\a\\x", "C:\\a\\y", "C:\\a\\z"}));
}

TEST(LocationChoice, WithoutSelectionTheDriveLevelTakesEveryDriveAndAFolderItself) {
  search::SearchLocations chosen = ChosenLocationsOf({"C:\\", "Z:\\"}, {}, "");
  EXPECT_TRUE(chosen.everyDrive);
  EXPECT_TRUE(chosen.paths.empty());

  chosen = ChosenLocationsOf({"C:\\a\\x"}, {}, "C:\\a");
  EXPECT_FALSE(chosen.everyDrive);
  EXPECT_EQ(chosen.paths, (std::vector<std::string>{"C:\\a"}));

  // A row the list no longer has counts as no selection.
  chosen = ChosenLocationsOf({"C:\\a\\x"}, {5}, "C:\\a");
  EXPECT_EQ(chosen.paths, (std::vector<std::string>{"C:\\a"}));
}

}  // namespace
}  // namespace trovex::shell
