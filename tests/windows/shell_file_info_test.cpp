// File information and the system image lists from the real shell.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "platform/shell/file_info.h"
#include "platform/shell/system_image_lists.h"
#include "windows/shell_test_folder.h"

namespace trovex::os_shell {
namespace {

using testing::ShellTestFolder;

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

TEST(ShellFileInfo, AnExistingFileHasNameTypeAndIcon) {
  ShellTestFolder folder;
  // "表ソ": both trail bytes are 0x5C and must come back as they went in.
  const std::string path = folder.File("表ソ.txt");
  ShellFileInfo shell;
  const FileInfo info = shell.Query(path, UnknownPathAs::Nothing);
  EXPECT_TRUE(StartsWith(info.displayName, "表ソ")) << info.displayName;
  EXPECT_FALSE(info.typeName.empty());
  EXPECT_GE(info.iconIndex, 0);
  EXPECT_TRUE(info.Known());
  // The fallback is not taken for a path the shell knows.
  EXPECT_EQ(shell.Query(path, UnknownPathAs::Folder).typeName, info.typeName);
}

// File types for the length of a test: ".trovexdoc" files are "トロベックス 文書",
// ".trovexlog" files "Trovex test log". (Wine turns the type name of an existing
// file into the ANSI code page and back, so only the ASCII one survives there.)
class RegisteredFileTypes {
 public:
  RegisteredFileTypes() {
    Set(L".trovexdoc", L"Trovex.TestDocument");
    Set(L"Trovex.TestDocument", os::Widen("トロベックス 文書"));
    Set(L".trovexlog", L"Trovex.TestLog");
    Set(L"Trovex.TestLog", L"Trovex test log");
  }
  ~RegisteredFileTypes() {
    for (const wchar_t* key :
         {L".trovexdoc", L"Trovex.TestDocument", L".trovexlog", L"Trovex.TestLog"})
      RegDeleteKeyW(HKEY_CLASSES_ROOT, key);
  }

 private:
  static void Set(const wchar_t* key, const std::wstring& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
};

TEST(ShellFileInfo, AMissingPathGivesNothingOrTheGenericAnswerOfItsKind) {
  RegisteredFileTypes types;
  ShellTestFolder folder;
  ShellFileInfo shell;
  const FileInfo existingLog = shell.Query(folder.File("there.trovexlog"), UnknownPathAs::Nothing);
  const FileInfo existingFolder = shell.Query(folder.Folder("sub"), UnknownPathAs::Nothing);
  EXPECT_EQ(existingLog.typeName, "Trovex test log");
  ASSERT_FALSE(existingFolder.typeName.empty());

  const std::string missingLog = folder.PathOf("ない.trovexlog");
  const FileInfo nothing = shell.Query(missingLog, UnknownPathAs::Nothing);
  EXPECT_FALSE(nothing.Known());
  EXPECT_EQ(nothing.iconIndex, -1);

  // As a file: the type and icon of its extension; the name is the one asked for.
  const FileInfo asFile = shell.Query(missingLog, UnknownPathAs::File);
  EXPECT_EQ(asFile.typeName, "Trovex test log");
  EXPECT_EQ(asFile.iconIndex, existingLog.iconIndex);
  EXPECT_TRUE(StartsWith(asFile.displayName, "ない")) << asFile.displayName;
  // A Japanese type name comes back as CP932.
  EXPECT_EQ(shell.Query(folder.PathOf("ない.trovexdoc"), UnknownPathAs::File).typeName,
            "トロベックス 文書");
  // A missing ".txt" gets a type too, whatever this system calls it.
  EXPECT_FALSE(shell.Query(folder.PathOf("ない.txt"), UnknownPathAs::File).typeName.empty());

  // As a folder: the plain folder's type and icon, whatever the extension says.
  const FileInfo asFolder = shell.Query(missingLog, UnknownPathAs::Folder);
  EXPECT_EQ(asFolder.typeName, existingFolder.typeName);
  EXPECT_EQ(asFolder.iconIndex, existingFolder.iconIndex);

  EXPECT_FALSE(shell.Query("", UnknownPathAs::File).Known());
}

TEST(ShellImageLists, BothListsExistHoldTheIconsAndAreSharedNotCopied) {
  ShellImageLists lists;
  HIMAGELIST small = lists.Small();
  HIMAGELIST large = lists.Large();
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_NE(small, large);
  // The same list every time: it is the system's, not a copy made for us.
  EXPECT_EQ(lists.Small(), small);
  EXPECT_EQ(lists.Large(), large);

  int smallWidth = 0, smallHeight = 0, largeWidth = 0, largeHeight = 0;
  ASSERT_TRUE(ImageList_GetIconSize(small, &smallWidth, &smallHeight));
  ASSERT_TRUE(ImageList_GetIconSize(large, &largeWidth, &largeHeight));
  EXPECT_LT(smallWidth, largeWidth);
  EXPECT_LT(smallHeight, largeHeight);

  // An icon index from the file information is valid in both lists.
  ShellTestFolder folder;
  const FileInfo info = ShellFileInfo().Query(folder.File("a.txt"), UnknownPathAs::Nothing);
  ASSERT_GE(info.iconIndex, 0);
  EXPECT_LT(info.iconIndex, ImageList_GetImageCount(small));
  EXPECT_LT(info.iconIndex, ImageList_GetImageCount(large));
}

}  // namespace
}  // namespace trovex::os_shell
