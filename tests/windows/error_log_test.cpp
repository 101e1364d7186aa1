// The error log: AddErrorLogEntry, the viewer TErrorLogDlg (its text, status line,
// Clear, 編集禁止 and the question on closing a changed log) and the main window's
// ログ button, its timer and the file at exit.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/fs/system_error.h"
#include "platform/os/wide_text.h"
#include "results/error_log.h"
#include "results/error_log_dlg.h"
#include "results/error_log_entry.h"
#include "startup_test_support.h"
#include "windows/support/ui_script.h"

namespace trovex::results {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;
using Lines = std::vector<std::string>;

// Two entries of 30 and 40 bytes with their line ends, as a reloaded file gives them.
const Lines kReloaded = {"[2026/12/07 12:34:56]", " abcd", "[2026/12/07 12:34:57]",
                         " abcdefghijklmn"};
const std::string kQuestion = "ログの内容が変更されています。保存しますか？";

// Shows the viewer over `log` modally; `act` acts on it and ends it (閉じる or the
// close box). Returns the log the user kept, if any.
std::optional<Lines> View(const Lines& log, const std::function<void(TErrorLogDlg&)>& act) {
  ModalScript script;
  script.Then([&](ui::Form& form) { act(static_cast<TErrorLogDlg&>(form)); });
  auto dialog = ui::MakeForm<TErrorLogDlg>(nullptr, log);
  dialog->ShowModal();
  EXPECT_EQ(script.FormsSeen(), 1);
  return dialog->KeptLog();
}

void Type(ui::Control& box, char character) {
  SendMessageW(box.Handle(), WM_CHAR, static_cast<WPARAM>(character), 1);
}

// The user's click on the check box (its parent gets BN_CLICKED).
void ClickCheckBox(ui::CheckBox& box) {
  SendMessageW(GetParent(box.Handle()), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(box.Handle()), BN_CLICKED),
               reinterpret_cast<LPARAM>(box.Handle()));
}

TEST(ErrorLogEntry, AnEntryIsStampedWithTheShortDateAndTakesTheSystemsTextForAnEmptyMessage) {
  Lines log;
  AddErrorLogEntry(log, 0, "OpenProcessToken Error");
  AddErrorLogEntry(log, ERROR_ACCESS_DENIED, "");
  ASSERT_EQ(log.size(), 2u);

  wchar_t today[64] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, 64);
  const Lines first = ErrorLogListOfText(log[0]);
  ASSERT_EQ(first.size(), 2u) << log[0];
  const std::string stamp = os::Narrow(today);
  EXPECT_EQ(first[0].substr(0, stamp.size() + 2), "[" + stamp + " ") << first[0];
  EXPECT_EQ(first[0].back(), ']');
  EXPECT_EQ(log[0].substr(first[0].size()), "\n OpenProcessToken Error");

  // The system's words for the code, without the line break the table ends them with.
  const std::string system = log[1].substr(log[1].find('\n'));
  EXPECT_EQ(system.rfind("\n " + fs::SystemErrorText(ERROR_ACCESS_DENIED), 0), 0u) << system;
  EXPECT_GT(system.size(), 2u);
  EXPECT_GT(static_cast<unsigned char>(system.back()), ' ');
}

// An entry of this run (a lone LF inside) and a reloaded one show as two lines each.
TEST(ErrorLogViewer, ShowsEveryEntryOnTwoLinesWithTheCountAndSizeBelow) {
  ScriptedPrompts prompts;  // closing an unchanged log asks nothing and keeps nothing
  const std::optional<Lines> kept = View(kReloaded, [](TErrorLogDlg& dialog) {
    EXPECT_EQ(dialog.Caption(), "エラーログ");
    EXPECT_EQ(dialog.Memo1.Lines(), kReloaded);
    EXPECT_EQ(dialog.Panel2.PanelText(0), "log count 2   file size 70B");
    EXPECT_FALSE(dialog.TextChanged());
    EXPECT_TRUE(dialog.CheckBox1.Checked());
    EXPECT_EQ(dialog.CheckBox1.Caption(), "編集禁止");
    EXPECT_EQ(dialog.SpeedButton1.Caption(), "Clear");
    EXPECT_EQ(dialog.SpeedButton1.Hint(), "ログの削除|表示しているログを削除します。");
    EXPECT_EQ(dialog.OKBtn.Caption(), "閉じる");
    EXPECT_TRUE(dialog.OKBtn.Default());
    const LONG style = GetWindowLongW(dialog.Memo1.Handle(), GWL_STYLE);
    EXPECT_TRUE((style & WS_VSCROLL) && (style & WS_HSCROLL));
    dialog.OKBtn.Click();
  });
  EXPECT_FALSE(kept);

  View({"[2026/12/08 01:02:03]\n 特権の有効に失敗しました。"}, [](TErrorLogDlg& dialog) {
    EXPECT_EQ(dialog.Memo1.Text(), "[2026/12/08 01:02:03]\r\n 特権の有効に失敗しました。\r\n");
    EXPECT_EQ(dialog.Memo1.Lines().size(), 2u);
    EXPECT_EQ(SendMessageW(dialog.Memo1.Handle(), EM_GETLINECOUNT, 0, 0),
              3);  // and the empty last one
    EXPECT_EQ(dialog.Panel2.PanelText(0), "log count 1   file size 52B");
    dialog.OKBtn.Click();
  });
}

// Clear, then 閉じる answered Yes (an empty log is kept) or the close box answered
// No (nothing is kept): either way the question comes, with its caption and icon.
TEST(ErrorLogViewer, ClearThenClosingAsksAndOnlyYesEmptiesTheLog) {
  for (const int answer : {IDYES, IDNO}) {
    ScriptedPrompts prompts;
    prompts.ExpectMessageBox(answer);
    const std::optional<Lines> kept = View(kReloaded, [answer](TErrorLogDlg& dialog) {
      dialog.SpeedButton1.Click();
      EXPECT_EQ(dialog.Memo1.Text(), "");
      EXPECT_EQ(dialog.Panel2.PanelText(0), "log count 0   file size 0B");
      EXPECT_FALSE(dialog.SpeedButton1.Enabled());
      EXPECT_TRUE(dialog.TextChanged());
      if (answer == IDYES)
        dialog.OKBtn.Click();
      else
        SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
    });
    ASSERT_EQ(prompts.Log().size(), 1u);
    EXPECT_EQ(prompts.Log()[0].text, kQuestion);
    EXPECT_EQ(prompts.Log()[0].caption, "ログの変更確認");
    EXPECT_EQ(prompts.Log()[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(kept, answer == IDYES ? std::optional<Lines>(Lines{}) : std::nullopt);
  }
}

// Typing reaches the text only once 編集禁止 is unchecked; an edit kept with Yes
// becomes the log line by line, one answered No leaves the log as it was.
TEST(ErrorLogViewer, EditingIsRefusedWhileLockedAndAnEditIsKeptOnlyOnYes) {
  for (const int answer : {IDNO, IDYES}) {
    ScriptedPrompts prompts;
    prompts.ExpectMessageBox(answer);
    const std::optional<Lines> kept = View(kReloaded, [](TErrorLogDlg& dialog) {
      dialog.Memo1.SetSelection(0, 0);
      Type(dialog.Memo1, 'x');
      EXPECT_EQ(dialog.Memo1.Lines(), kReloaded);
      EXPECT_FALSE(dialog.TextChanged());

      ClickCheckBox(dialog.CheckBox1);
      EXPECT_FALSE(dialog.CheckBox1.Checked());
      Type(dialog.Memo1, 'x');
      EXPECT_EQ(dialog.Memo1.Lines()[0], "x[2026/12/07 12:34:56]");
      EXPECT_TRUE(dialog.TextChanged());

      ClickCheckBox(dialog.CheckBox1);  // locked again: the change stays a change
      Type(dialog.Memo1, 'y');
      EXPECT_EQ(dialog.Memo1.Lines()[0], "x[2026/12/07 12:34:56]");
      dialog.OKBtn.Click();
    });
    Lines edited = kReloaded;
    edited[0] = "x" + edited[0];
    EXPECT_EQ(kept, answer == IDYES ? std::optional<Lines>(edited) : std::nullopt)
        << (answer == IDYES ? "Yes" : "No");
  }
}

}  // namespace
}  // namespace trovex::results

namespace trovex::app {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;

// A main window whose program folder is a fresh temporary folder, shown so that
// its 500 ms timer runs, over an empty settings key put back afterwards.
class ErrorLogButton : public ::testing::Test {
 protected:
  ErrorLogButton() { startup_test::SettingsKeyGuard::CreateEmptyKey(); }
  ~ErrorLogButton() override { ui::App().ResetTerminated(); }

  std::string UserDir() const { return dir_.path() + "data\\someone\\"; }
  std::string LogPath() const { return UserDir() + "errlog.txt"; }
  // A log file the user already has.
  void GiveTheUserALog(const std::string& bytes) {
    CreateDirectoryW(os::Widen(dir_.path() + "data").c_str(), nullptr);
    CreateDirectoryW(os::Widen(UserDir()).c_str(), nullptr);
    startup_test::WriteFile(LogPath(), bytes);
  }
  ui::FormPtr<TForm1> ShownForm() {
    auto form = ui::MakeForm<TForm1>(StartupEnvironment{dir_.path() + "Trovex.exe", "someone"});
    form->Show();
    return form;
  }
  // Within one tick of the timer, with room for a busy machine.
  static bool WithinOneTick(const std::function<bool()>& done) {
    return testing::PumpUntil(done, 500 + 250);
  }

 private:
  startup_test::SettingsKeyGuard guard_;
  startup_test::TempDir dir_;
};

TEST_F(ErrorLogButton, FollowsTheListWithinOneTimerTick) {
  auto form = ShownForm();
  EXPECT_FALSE(form->LogSpBtn.Enabled());
  results::AddErrorLogEntry(form->State.ErrorLogList, 0, "特権の無効に失敗しました。");
  EXPECT_TRUE(WithinOneTick([&] { return form->LogSpBtn.Enabled(); }));
  form->State.ErrorLogList.clear();
  EXPECT_TRUE(WithinOneTick([&] { return !form->LogSpBtn.Enabled(); }));
  form->Close();
}

// ログ, Clear, 閉じる, Yes: the list is empty, the button goes off and the existing
// file is written empty at exit.
TEST_F(ErrorLogButton, ClearedAndKeptTheLogIsEmptyAndItsFileIsWrittenEmpty) {
  GiveTheUserALog("[2026/12/01 01:02:03]\r\n LookupPrivilegeValue Error\r\n");
  auto form = ShownForm();
  ASSERT_TRUE(form->LogSpBtn.Enabled());
  results::AddErrorLogEntry(form->State.ErrorLogList, 0, "OpenProcessToken Error");
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDYES);
  ModalScript script;
  script.Then([](ui::Form& shown) {
    auto& dialog = static_cast<results::TErrorLogDlg&>(shown);
    EXPECT_EQ(dialog.Panel2.PanelText(0).substr(0, 12), "log count 2 ");
    EXPECT_EQ(dialog.Memo1.Lines().size(), 4u);
    dialog.SpeedButton1.Click();
    dialog.OKBtn.Click();
  });
  form->LogSpBtn.Click();
  EXPECT_EQ(script.FormsSeen(), 1);
  EXPECT_TRUE(form->State.ErrorLogList.empty());
  EXPECT_TRUE(WithinOneTick([&] { return !form->LogSpBtn.Enabled(); }));
  form->Close();
  EXPECT_TRUE(startup_test::Exists(LogPath()));
  EXPECT_EQ(startup_test::ReadFile(LogPath()), "");
}

// Without a log file the entries of the run are shown but not kept, and no file is made.
TEST_F(ErrorLogButton, NoFileAtStartCreatesNoneAtExit) {
  auto form = ShownForm();
  results::AddErrorLogEntry(form->State.ErrorLogList, 0, "LookupPrivilegeValue Error");
  ScriptedPrompts prompts;
  ModalScript script;
  script.Then([](ui::Form& shown) {
    auto& dialog = static_cast<results::TErrorLogDlg&>(shown);
    EXPECT_EQ(dialog.Memo1.Lines()[1], " LookupPrivilegeValue Error");
    dialog.OKBtn.Click();
  });
  ASSERT_TRUE(WithinOneTick([&] { return form->LogSpBtn.Enabled(); }));
  form->LogSpBtn.Click();
  form->Close();
  EXPECT_FALSE(startup_test::Exists(LogPath()));
  EXPECT_TRUE(startup_test::Exists(UserDir()));
}

}  // namespace
}  // namespace trovex::app
