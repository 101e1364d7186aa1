// The version window and its update check against a server on 127.0.0.1 that the
// test runs: what the window asks for, which messages it shows and which bytes it
// saves.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/about_values.h"
#include "app/app_identity.h"
#include "main_form_test_support.h"
#include "platform/os/registry.h"
#include "platform/os/wide_text.h"
#include "shell/version_box.h"
#include "support/local_http_server.h"
#include "support/ui_script.h"

namespace trovex::app {
namespace {

using testing::LocalHttpServer;
using testing::ModalScript;
using testing::ScriptedPrompts;
using testing::ShellTestFolder;

constexpr const char* kPagePath = "/DownLoadHtml/UpdateFilePageFree.html";
constexpr const char* kNoArchive = "アップデートファイルが有りません！";
constexpr const char* kUpToDate = "お使いのソフトは最新のバージョンです。";
constexpr const char* kLoadError = "down load error";
constexpr const char* kCancelled = "ダウンロードを中止しました。";

std::string Question(const std::string& name) {
  return "最新のアップデートファイルが見つかりました。\n'" + name + "' をダウンロードしますか？";
}

// A body of `size` bytes that differ from place to place.
std::string Bytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
  return bytes;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(os::Widen(folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = os::Narrow(data.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class VersionBoxTest : public ::testing::Test {
 protected:
  shell::VersionBoxSetup Setup() const {
    shell::VersionBoxSetup setup;
    setup.title = "Trovex β  ";
    setup.version = "[ 1.1.3.1 ]";
    setup.corp = "Vemko";
    setup.homePage = "https://home.invalid/";
    setup.update.serverBase = server_.BaseAddress();
    setup.update.pageName = "UpdateFilePageFree.html";
    setup.update.archivePrefix = "TrovexBeta_Up";
    setup.update.pageFolder = "DownLoadHtml";
    setup.update.downFolder = "UpdateFile";
    setup.update.currentVersion = "1131";
    return setup;
  }
  ui::FormPtr<shell::TVersionBox> MakeBox(const shell::VersionBoxSetup& setup) {
    auto box = ui::MakeForm<shell::TVersionBox>(nullptr, setup);
    box->OpenInShell = [this](const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory) {
      shellCalls_.push_back(verb + "|" + file + "|" + parameters + "|" + directory);
      return true;
    };
    return box;
  }
  ui::FormPtr<shell::TVersionBox> MakeBox() { return MakeBox(Setup()); }

  // The archive's answer, the user's yes and the folder: a download of `name`.
  void DownloadInto(shell::TVersionBox& box, ScriptedPrompts& prompts, const std::string& name) {
    server_.Serve(kPagePath, "<a href=\"UpdateFile/" + name + "\">" + name + "</a>");
    prompts.ExpectMessageBox(IDYES);
    prompts.ExpectFolder(folder_.Root());
    box.UpdateChkBtn.Click();
  }

  LocalHttpServer server_;
  ShellTestFolder folder_;
  std::vector<std::string> shellCalls_;
};

TEST_F(VersionBoxTest, PagesWithoutANewerArchiveSayWhy) {
  auto box = MakeBox();
  struct Case {
    std::string page;
    const char* message;
  } cases[] = {
      {"<html>nothing to get</html>", kNoArchive},
      {"TrovexBeta_Up1132.exe TrovexBeta_Up", kNoArchive},
      {"<a>TrovexBeta_Up1130.zip</a>", kUpToDate},
      {"<a>TrovexBeta_Up1131.zip</a>", kUpToDate},
  };
  for (const auto& c : cases) {
    server_.Serve(kPagePath, c.page);
    ScriptedPrompts prompts;
    prompts.ExpectMessage();
    box->UpdateChkBtn.Click();
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{c.message}) << c.page;
  }
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 4u);
  for (const auto& request : requests) {
    EXPECT_EQ(request.path, kPagePath);
    EXPECT_EQ(request.agent, "vemko-pellow");
  }
}

TEST_F(VersionBoxTest, NoServerOrAnAddressTooLongCannotConnect) {
  shell::VersionBoxSetup nobody = Setup();
  nobody.update.serverBase = "http://127.0.0.1:1/";  // nothing listens there
  shell::VersionBoxSetup tooLong = Setup();
  tooLong.update.pageName = std::string(250, 'p') + ".html";
  for (const auto& setup : {nobody, tooLong}) {
    auto box = MakeBox(setup);
    ScriptedPrompts prompts;
    prompts.ExpectMessage();
    box->UpdateChkBtn.Click();
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"インターネットに接続できません。"});
  }
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(VersionBoxTest, NameFoundPastRunningTextLongPagesAndZeroBytes) {
  std::string longPage(1024 - 7, 'x');  // the name crosses byte 1,024
  longPage += "TrovexBeta_Up1140.zip and more text";
  longPage += std::string(3000, 'y');
  const std::string cases[][2] = {
      {"Get TrovexBeta_Up for free: <a>TrovexBeta_Up1132.ZIP</a>", "TrovexBeta_Up1132.ZIP"},
      {longPage, "TrovexBeta_Up1140.zip"},
      {std::string("binary\0 TrovexBeta_Up1150.zip", 29), "TrovexBeta_Up1150.zip"},
  };
  auto box = MakeBox();
  for (const auto& c : cases) {
    server_.Serve(kPagePath, c[0]);
    ScriptedPrompts prompts;
    prompts.ExpectMessageBox(IDNO);
    box->UpdateChkBtn.Click();
    ASSERT_EQ(prompts.Log().size(), 1u);
    EXPECT_EQ(prompts.Log()[0].text, Question(c[1]));
    EXPECT_EQ(prompts.Log()[0].caption, "Update");
    EXPECT_EQ(box->ArchiveName(), c[1]);
  }
  EXPECT_TRUE(FilesIn(folder_.Root()).empty());
}

TEST_F(VersionBoxTest, NoVersionCheckOffersAnOlderArchive) {
  shell::VersionBoxSetup setup = Setup();
  setup.update.noVersionCheck = true;
  auto box = MakeBox(setup);
  server_.Serve(kPagePath, "TrovexBeta_Up1100.zip");
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);
  box->UpdateChkBtn.Click();
  EXPECT_EQ(prompts.Texts(), std::vector<std::string>{Question("TrovexBeta_Up1100.zip")});
}

TEST_F(VersionBoxTest, ArchiveIsSavedUnderItsNameReplacingAnOlderFile) {
  const std::string body = Bytes(5000);  // four full chunks and a part
  server_.Serve("/UpdateFile/TrovexBeta_Up1132.ZIP", body);
  folder_.File("TrovexBeta_Up1132.ZIP", "an older copy");
  auto box = MakeBox();
  ScriptedPrompts prompts;
  DownloadInto(*box, prompts, "TrovexBeta_Up1132.ZIP");

  EXPECT_EQ(prompts.Log().size(), 2u);  // the question and the folder, no message
  EXPECT_EQ(prompts.Log()[1].text, "保存先を選択して下さい");
  EXPECT_EQ(FilesIn(folder_.Root()), std::vector<std::string>{"TrovexBeta_Up1132.ZIP"});
  EXPECT_EQ(Contents(folder_.PathOf("TrovexBeta_Up1132.ZIP")), body);
  EXPECT_EQ(shellCalls_, std::vector<std::string>{"open|||" + folder_.Root() + "\\"});
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].path, "/UpdateFile/TrovexBeta_Up1132.ZIP");
  EXPECT_EQ(requests[1].agent, "vemko");
  // The window is back as it was.
  EXPECT_EQ(box->UpdateChkBtn.Caption(), "Update");
  EXPECT_FALSE(box->ColorProgressBar1.Visible());
  EXPECT_EQ(box->ColorProgressBar1.Max(), 5u);
  EXPECT_FALSE(box->Downloading());
}

TEST_F(VersionBoxTest, ArchivesThatDoNotArriveWholeAreNotKept) {
  const std::string body = Bytes(3000);
  struct Case {
    const char* what;
    LocalHttpServer::Response response;
    std::vector<std::string> messages;
    std::vector<std::string> files;
  };
  LocalHttpServer::Response chunked{200, body, std::nullopt};
  LocalHttpServer::Response empty{200, "", 0};
  LocalHttpServer::Response cut{200, body, 3000, 1500};
  LocalHttpServer::Response missing{404, "gone", 4};
  std::vector<Case> cases = {
      {"chunked, no length", chunked, {}, {}},
      {"length 0", empty, {}, {"TrovexBeta_Up1132.zip"}},
      {"cut short", cut, {kLoadError}, {}},
      {"404", missing, {kLoadError}, {}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    ShellTestFolder folder;
    server_.Serve("/UpdateFile/TrovexBeta_Up1132.zip", c.response);
    auto box = MakeBox();
    ScriptedPrompts prompts;
    server_.Serve(kPagePath, "TrovexBeta_Up1132.zip");
    prompts.ExpectMessageBox(IDYES);
    prompts.ExpectFolder(folder.Root());
    for (std::size_t i = 0; i < c.messages.size(); ++i) prompts.ExpectMessage();
    box->UpdateChkBtn.Click();
    const auto texts = prompts.Texts();
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 2, texts.end()), c.messages);
    EXPECT_EQ(FilesIn(folder.Root()), c.files);
    EXPECT_EQ(box->UpdateChkBtn.Caption(), "Update");
    EXPECT_TRUE(box->OKButton.Visible());
  }
}

TEST_F(VersionBoxTest, UnsafeArchiveNameIsRefusedBeforeAnythingIsWritten) {
  auto box = MakeBox();
  server_.Serve(kPagePath, "TrovexBeta_Up9/...zip");
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDYES);
  prompts.ExpectMessage();
  box->UpdateChkBtn.Click();
  EXPECT_EQ(prompts.Texts().back(), kLoadError);
  EXPECT_EQ(server_.Requests().size(), 1u);  // the archive was never asked for
}

TEST_F(VersionBoxTest, CancelDuringASlowDownloadDeletesThePartialFile) {
  auto box = MakeBox();
  const HWND form = box->Handle();
  const HWND button = box->UpdateChkBtn.Handle();
  LocalHttpServer::Response drip{200, Bytes(200 * 1024), 200 * 1024};
  drip.dripBytes = 1024;
  drip.dripMs = 20;
  // After a few pieces the user clicks 中止 (as a click reaches the window).
  drip.onPiece = [form, button](std::size_t sent) {
    if (sent == 4 * 1024) {
      PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    }
  };
  server_.Serve("/UpdateFile/TrovexBeta_Up1132.zip", drip);
  ScriptedPrompts prompts;
  server_.Serve(kPagePath, "TrovexBeta_Up1132.zip");
  prompts.ExpectMessageBox(IDYES);
  prompts.ExpectFolder(folder_.Root());
  prompts.ExpectMessage();
  const DWORD start = GetTickCount();
  box->UpdateChkBtn.Click();
  EXPECT_LT(GetTickCount() - start, 3000u);  // the whole drip would take 4 seconds
  EXPECT_EQ(prompts.Texts().back(), kCancelled);
  EXPECT_TRUE(FilesIn(folder_.Root()).empty());
  EXPECT_TRUE(shellCalls_.empty());
  EXPECT_EQ(box->UpdateChkBtn.Caption(), "Update");
  EXPECT_FALSE(box->Downloading());
}

TEST_F(VersionBoxTest, LogoAlternatesFramesAndFollowsTheMouse) {
  auto box = MakeBox();
  box->Timer1Timer(box->Timer1);
  EXPECT_EQ(box->LogoFrame(), 1);
  box->Image1MouseMove(box->Image1, 0, 1, 1);
  EXPECT_EQ(box->LogoOffset(), 10);
  box->Timer1Timer(box->Timer1);  // a swing tick: back towards StretchMax by at most 1
  EXPECT_GE(box->LogoOffset(), 9);
  EXPECT_LE(box->LogoOffset(), 10);
  const int size = 64 + box->LogoOffset();
  EXPECT_EQ(box->Image1.Width(), size);
  box->Timer1Timer(box->Timer1);  // a jitter tick: moved by 0 or 1 (JumpXY 2), same size
  EXPECT_EQ(box->Image1.Width(), size);
  EXPECT_GE(box->Image1.Left(), 14);
  EXPECT_LE(box->Image1.Left(), 15);
  box->Image1MouseDown(box->Image1, ui::MouseButton::Left, 0, 1, 1);
  box->Image1MouseMove(box->Image1, 0, 1, 1);  // pressed: the move changes nothing
  EXPECT_EQ(box->LogoOffset(), -10);
  box->Panel1MouseMove(box->Panel1, 0, 1, 1);
  box->Image1MouseMove(box->Image1, 0, 1, 1);
  EXPECT_EQ(box->LogoOffset(), 10);
  box->Label4Click(box->Label4);
  EXPECT_EQ(shellCalls_, std::vector<std::string>{"open|iexplore|https://home.invalid/|"});
}

class VersionButtonTest : public MainFormTest {};

TEST_F(VersionButtonTest, VersionButtonShowsTheProgramsValuesAndUsesTheConfiguredServer) {
  LocalHttpServer server;
  server.Serve(kPagePath, "TrovexBeta_Up1131.zip");
  {
    os::RegistryKey key;
    ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, kSettingsKey));
    key.WriteString(kUpdateServerValue, server.BaseAddress());
  }
  TForm1 form(Environment());
  ScriptedPrompts prompts;
  prompts.ExpectMessage();
  ModalScript script;
  script.Then([&](ui::Form& window) {
    auto& box = dynamic_cast<shell::TVersionBox&>(window);
    EXPECT_EQ(box.Text(), "バージョン情報");
    EXPECT_EQ(box.StaticText1.Text(), "Trovex β  ");
    EXPECT_EQ(box.StaticText2.Text(), "[ 1.1.3.1 ]");
    EXPECT_EQ(box.Label4.Text(), "Vemko");
    EXPECT_TRUE(box.Label4.Font().underline);
    EXPECT_EQ(box.Label4.Left(), box.Panel1.Width() - box.Label4.Width() - 16);
    EXPECT_TRUE(form.AboutDialog1.Busy());
    form.SpeedButton8.Click();  // a second window does not open while one is
    box.UpdateChkBtn.Click();
    box.OKButton.Click();
  });
  form.SpeedButton8.Click();
  EXPECT_EQ(script.FormsSeen(), 1);
  EXPECT_FALSE(form.AboutDialog1.Busy());
  EXPECT_EQ(prompts.Texts(), std::vector<std::string>{kUpToDate});
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].path, kPagePath);
}

TEST_F(VersionButtonTest, BuiltInServerWithoutTheValueAndNeverWritten) {
  EXPECT_EQ(UpdateServerAddress(), kDefaultUpdateServer);
  {
    os::RegistryKey key;
    ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, kSettingsKey));
    key.WriteString(kUpdateServerValue, "http://127.0.0.1:1");
  }
  EXPECT_EQ(UpdateServerAddress(), "http://127.0.0.1:1/");
  {
    os::RegistryKey key;
    ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, kSettingsKey));
    key.DeleteValue(kUpdateServerValue);
  }
  {
    TForm1 form(Environment());
    form.Close();
  }
  os::RegistryKey key;
  ASSERT_TRUE(key.Open(os::RegistryRoot::CurrentUser, kSettingsKey));
  EXPECT_FALSE(key.ValueExists(kUpdateServerValue));
}

}  // namespace
}  // namespace trovex::app
