// The set of shell services in use: real by default, replaceable by fakes for a
// scope, restored afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/shell/shell_services.h"

namespace trovex::os_shell {
namespace {

// One fake per service; each records what it was asked.
struct FakeFileInfo : FileInfoService {
  FileInfo Query(const std::string& path, UnknownPathAs fallback) override {
    asked = path;
    lastFallback = fallback;
    return {"名前", "種類", 7};
  }
  std::string asked;
  UnknownPathAs lastFallback = UnknownPathAs::Nothing;
};

struct FakeImageLists : SystemImageListService {
  HIMAGELIST Small() override { return reinterpret_cast<HIMAGELIST>(0x10); }
  HIMAGELIST Large() override { return reinterpret_cast<HIMAGELIST>(0x20); }
};

struct FakeClipboard : ClipboardFileService {
  bool PutFiles(void*, const std::vector<std::string>& paths) override {
    put = paths;
    return true;
  }
  std::vector<std::string> GetFiles() override { return put; }
  std::vector<std::string> put;
};

struct FakeOpener : FileOpenService {
  bool Open(void*, const std::string& path) override {
    opened.push_back(path);
    return true;
  }
  bool OpenWith(void*, const std::string& path) override {
    chosen.push_back(path);
    return false;
  }
  bool OpenAddress(void*, const std::string&) override { return false; }
  std::vector<std::string> opened, chosen;
};

struct FakeProperties : PropertiesSheetService {
  bool Show(void*, const std::string& path) override {
    shown = path;
    return true;
  }
  std::string shown;
};

struct FakeSound : SoundService {
  bool PlayFile(const std::string& path) override {
    played.push_back(path);
    return true;
  }
  std::vector<std::string> played;
};

struct FakeFolders : FolderService {
  bool Reachable(void*, const std::string& path) override { return path == "\\\\server\\share"; }
  std::vector<SubFolder> SubFolders(const std::string& folder, bool includeHidden) override {
    if (!includeHidden) return {{"a", folder + "\\a", false}};
    return {{"a", folder + "\\a", false}, {"h", folder + "\\h", true}};
  }
};

TEST(ShellServices, TheRealServicesAreInUseByDefault) {
  const ShellServices& real = RealServices();
  const ShellServices& inUse = Services();
  EXPECT_EQ(inUse.fileInfo, real.fileInfo);
  EXPECT_EQ(inUse.imageLists, real.imageLists);
  EXPECT_EQ(inUse.clipboard, real.clipboard);
  EXPECT_EQ(inUse.open, real.open);
  EXPECT_EQ(inUse.properties, real.properties);
  EXPECT_EQ(inUse.sound, real.sound);
  EXPECT_EQ(inUse.folders, real.folders);
  EXPECT_NE(dynamic_cast<ShellFileInfo*>(real.fileInfo), nullptr);
  EXPECT_NE(dynamic_cast<ShellImageLists*>(real.imageLists), nullptr);
  EXPECT_NE(dynamic_cast<WindowsClipboardFiles*>(real.clipboard), nullptr);
  EXPECT_NE(dynamic_cast<ShellFileOpener*>(real.open), nullptr);
  EXPECT_NE(dynamic_cast<ShellPropertiesSheet*>(real.properties), nullptr);
  EXPECT_NE(dynamic_cast<SystemSound*>(real.sound), nullptr);
  EXPECT_NE(dynamic_cast<ShellFolders*>(real.folders), nullptr);
}

TEST(ShellServices, FakesAnswerEveryCallWhileTheirScopeLasts) {
  FakeFileInfo fileInfo;
  FakeImageLists imageLists;
  FakeClipboard clipboard;
  FakeOpener opener;
  FakeProperties properties;
  FakeSound sound;
  FakeFolders folders;
  {
    ScopedShellServices fakes(
        {&fileInfo, &imageLists, &clipboard, &opener, &properties, &sound, &folders});
    const ShellServices& s = Services();

    const FileInfo info = s.fileInfo->Query("C:\\x.txt", UnknownPathAs::File);
    EXPECT_EQ(info.displayName, "名前");
    EXPECT_EQ(info.iconIndex, 7);
    EXPECT_EQ(fileInfo.asked, "C:\\x.txt");
    EXPECT_EQ(fileInfo.lastFallback, UnknownPathAs::File);

    EXPECT_EQ(s.imageLists->Small(), reinterpret_cast<HIMAGELIST>(0x10));
    EXPECT_EQ(s.imageLists->Large(), reinterpret_cast<HIMAGELIST>(0x20));

    EXPECT_TRUE(s.clipboard->PutFiles(nullptr, {"C:\\a", "C:\\b"}));
    EXPECT_EQ(s.clipboard->GetFiles(), (std::vector<std::string>{"C:\\a", "C:\\b"}));

    EXPECT_TRUE(s.open->Open(nullptr, "C:\\a"));
    EXPECT_FALSE(s.open->OpenWith(nullptr, "C:\\b"));
    EXPECT_EQ(opener.opened, std::vector<std::string>{"C:\\a"});
    EXPECT_EQ(opener.chosen, std::vector<std::string>{"C:\\b"});

    EXPECT_TRUE(s.properties->Show(nullptr, "C:\\p"));
    EXPECT_EQ(properties.shown, "C:\\p");

    EXPECT_TRUE(s.sound->PlayFile("C:\\start.wav"));
    EXPECT_EQ(sound.played, std::vector<std::string>{"C:\\start.wav"});

    EXPECT_TRUE(s.folders->Reachable(nullptr, "\\\\server\\share"));
    EXPECT_EQ(s.folders->SubFolders("C:\\d", true).size(), 2u);
  }
  // Afterwards the real services are back.
  EXPECT_EQ(Services().sound, RealServices().sound);
  EXPECT_EQ(Services().fileInfo, RealServices().fileInfo);
  EXPECT_EQ(Services().folders, RealServices().folders);
}

TEST(ShellServices, ScopesReplaceOnlyWhatTheyNameAndNest) {
  FakeSound outerSound, innerSound;
  FakeOpener opener;
  ShellServices onlySound{};
  onlySound.sound = &outerSound;
  {
    ScopedShellServices outer(onlySound);
    EXPECT_EQ(Services().sound, &outerSound);
    EXPECT_EQ(Services().open, RealServices().open);  // null keeps what was in use
    ShellServices inner = Services();
    inner.sound = &innerSound;
    inner.open = &opener;
    {
      ScopedShellServices nested(inner);
      Services().sound->PlayFile("inner.wav");
      EXPECT_EQ(Services().open, &opener);
    }
    // The inner scope's end brings back the outer fakes, not the real services.
    Services().sound->PlayFile("outer.wav");
    EXPECT_EQ(Services().open, RealServices().open);
  }
  EXPECT_EQ(innerSound.played, std::vector<std::string>{"inner.wav"});
  EXPECT_EQ(outerSound.played, std::vector<std::string>{"outer.wav"});
  EXPECT_EQ(Services().sound, RealServices().sound);
}

}  // namespace
}  // namespace trovex::os_shell
