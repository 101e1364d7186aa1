// The option panel in the main window: "検索オプション" and "拡大" grow the window
// to show the lower part, the view option panel shows when the search options are
// closed, the window stays on the screen, and the view options and the encoding
// choice are the settings.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_identity.h"
#include "app/main_form.h"
#include "platform/os/registry.h"
#include "startup_test_support.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

class OptionWindow : public ::testing::Test {
 protected:
  OptionWindow() { startup_test::SettingsKeyGuard::CreateEmptyKey(); }
  StartupEnvironment Environment() const { return {dir_.path() + "Trovex.exe", "someone"}; }

  // What a click on "拡大" does.
  static void ClickExtend(TForm1& form) {
    RECT rect{};
    GetClientRect(form.SpeedButton1.Handle(), &rect);
    const LPARAM at = MAKELPARAM(rect.right / 2, rect.bottom / 2);
    SendMessageW(form.SpeedButton1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(form.SpeedButton1.Handle(), WM_LBUTTONUP, 0, at);
  }
  // The bottom of the search option panel in the window's client area.
  static int Panel2Bottom(TForm1& form) {
    return form.Options.Top() + form.Options.Panel2.Top() + form.Options.Panel2.Height();
  }

 private:
  startup_test::SettingsKeyGuard guard_;
  startup_test::TempDir dir_;
};

TEST_F(OptionWindow, TheOptionBoxExtendsTheWindowAndShowsTheSearchOptions) {
  TForm1 form(Environment());
  const int compact = form.ClientHeight();
  EXPECT_EQ(compact, TForm1::kCompactClientHeight);
  EXPECT_FALSE(form.Options.Panel2.Visible());
  EXPECT_GT(Panel2Bottom(form), compact);  // the lower part is outside the compact window

  form.Options.OptionChkBox.SetChecked(true);
  EXPECT_EQ(form.ClientHeight(), Panel2Bottom(form) + GetSystemMetrics(SM_CYMENU) + 10);
  EXPECT_EQ(form.ClientWidth(), TForm1::kClientWidth);
  EXPECT_TRUE(form.Options.Panel2.Visible());
  EXPECT_FALSE(form.Options.Panel5.Visible());
  // Both columns reach down to the status line.
  EXPECT_EQ(form.Options.Top() + form.Options.Height(), form.Browser.Top() + form.Browser.Height());
  EXPECT_EQ(form.Browser.Height(),
            form.ClientHeight() - TForm1::kColumnsTop - TForm1::kColumnsBottomMargin);

  form.Options.OptionChkBox.SetChecked(false);
  EXPECT_EQ(form.ClientHeight(), compact);
  EXPECT_FALSE(form.Options.Panel2.Visible());
  EXPECT_FALSE(form.Options.Panel5.Visible());
  EXPECT_EQ(form.Browser.Height(), compact - TForm1::kColumnsTop - TForm1::kColumnsBottomMargin);
}

TEST_F(OptionWindow, TheExtendButtonShowsTheViewOptionsUntilReleased) {
  TForm1 form(Environment());
  const int compact = form.ClientHeight();
  ClickExtend(form);
  EXPECT_TRUE(form.SpeedButton1.Down());
  const int extended = form.ClientHeight();
  EXPECT_GT(extended, compact);
  EXPECT_TRUE(form.Options.Panel5.Visible());
  EXPECT_FALSE(form.Options.Panel2.Visible());

  // The search options open over the view options; the height stays.
  form.Options.OptionChkBox.SetChecked(true);
  EXPECT_EQ(form.ClientHeight(), extended);
  EXPECT_TRUE(form.Options.Panel2.Visible());
  EXPECT_FALSE(form.Options.Panel5.Visible());
  // Closed again while "拡大" is down: still extended, the view options show.
  form.Options.OptionChkBox.SetChecked(false);
  EXPECT_EQ(form.ClientHeight(), extended);
  EXPECT_TRUE(form.Options.Panel5.Visible());

  ClickExtend(form);
  EXPECT_FALSE(form.SpeedButton1.Down());
  EXPECT_EQ(form.ClientHeight(), compact);
  EXPECT_FALSE(form.Options.Panel5.Visible());
}

TEST_F(OptionWindow, ReleasingExtendKeepsTheHeightWhileTheSearchOptionsAreOpen) {
  TForm1 form(Environment());
  const int compact = form.ClientHeight();
  form.Options.OptionChkBox.SetChecked(true);
  const int extended = form.ClientHeight();
  ClickExtend(form);
  ClickExtend(form);
  EXPECT_FALSE(form.SpeedButton1.Down());
  EXPECT_EQ(form.ClientHeight(), extended);
  EXPECT_TRUE(form.Options.Panel2.Visible());
  form.Options.OptionChkBox.SetChecked(false);
  EXPECT_EQ(form.ClientHeight(), compact);
}

TEST_F(OptionWindow, AnExtendedWindowBelowTheScreenMovesUp) {
  TForm1 form(Environment());
  const int screen = GetSystemMetrics(SM_CYSCREEN);
  form.SetTop(screen - form.Height() - 5);  // the compact window just fits
  form.Options.OptionChkBox.SetChecked(true);
  EXPECT_EQ(form.Top(), screen - form.Height() - 48);

  // A window that fits extended stays where it is.
  form.Options.OptionChkBox.SetChecked(false);
  form.SetTop(10);
  form.Options.OptionChkBox.SetChecked(true);
  EXPECT_EQ(form.Top(), 10);
}

TEST_F(OptionWindow, ViewOptionsComeFromAndGoToTheSettings) {
  {
    TForm1 form(Environment());
    EXPECT_EQ(form.Options.RadioGroup1.ItemIndex(), 0);
    form.Options.RadioGroup1.SetItemIndex(1);
    form.Options.PrsRowChkBox.SetChecked(true);
    form.Options.TextOnlyChkBox.SetChecked(true);
    EXPECT_EQ(form.State.Settings.ByteListDisplay, results::BinaryDisplay::Chars);
    ui::App().SetMainForm(&form);
    form.Close();  // writes the settings
    ui::App().ResetTerminated();
    ui::App().SetMainForm(nullptr);
  }
  TForm1 again(Environment());
  EXPECT_EQ(again.Options.RadioGroup1.ItemIndex(), 1);
  EXPECT_TRUE(again.Options.PrsRowChkBox.Checked());
  EXPECT_TRUE(again.Options.TextOnlyChkBox.Checked());
  EXPECT_TRUE(again.State.Settings.PrsRowChecked);
}

TEST_F(OptionWindow, EncodingChoiceComesFromAndGoesToTheSettings) {
  const search::EncodingSet shiftJis = search::EncodingSet::Only(search::TextEncoding::ShiftJis);
  auto storedEncoding = [] {
    os::RegistryKey key;
    EXPECT_TRUE(key.Open(os::RegistryRoot::CurrentUser, kSettingsKey));
    return key.ReadInteger("encoding");
  };
  auto close = [](TForm1& form) {
    ui::App().SetMainForm(&form);
    form.Close();  // writes the settings
    ui::App().ResetTerminated();
    ui::App().SetMainForm(nullptr);
  };
  {
    // An installation from before the choice existed has no "encoding" value.
    TForm1 form(Environment());
    EXPECT_EQ(form.Options.CodeComboBox.ItemIndex(), 0);
    EXPECT_EQ(form.State.Settings.EncodingIndex, 0);
    trovex::testing::ChooseComboItem(form.Options.CodeComboBox, 1);
    // Start reads the choice, which counts once the search options are open.
    EXPECT_EQ(search::TextEncodingsFor(form.CurrentSearchInputs().options),
              search::EncodingSet::All());
    form.Options.OptionChkBox.SetChecked(true);
    EXPECT_EQ(search::TextEncodingsFor(form.CurrentSearchInputs().options), shiftJis);
    close(form);
  }
  EXPECT_EQ(storedEncoding(), 1);
  {
    TForm1 again(Environment());
    EXPECT_EQ(again.Options.CodeComboBox.ItemIndex(), 1);
    EXPECT_EQ(again.CurrentSearchInputs().options.encodings, shiftJis);
    trovex::testing::ChooseComboItem(again.Options.CodeComboBox, 0);
    close(again);
  }
  EXPECT_EQ(storedEncoding(), 0);
}

TEST_F(OptionWindow, TheSearchContentHasTheFocusFirst) {
  TForm1 form(Environment());
  form.Show();
  ui::App().ProcessMessages();
  EXPECT_TRUE(form.Options.Edit1.Focused());
  form.Hide();
}

}  // namespace
}  // namespace trovex::app
