// Clicks and changes reach the handler of the control that caused them, also from
// inside a panel, and an exception in a handler is shown and survived.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/timer.h"
#include "windows/support/ui_script.h"

namespace trovex::ui {
namespace {

class RoutingForm : public Form {
 public:
  RoutingForm()
      : Button1(this, "一"),
        Button2(this, "二"),
        Panel1(this),
        CheckBox1(&Panel1, "チェック"),
        Edit1(&Panel1),
        ComboBox1(&Panel1, ComboStyle::DropDownList),
        RadioGroup1(&Panel1, "選択"),
        SpeedButton1(this, "拡大"),
        SpeedButton2(this, "縮小") {
    auto record = [this](Component& sender) { senders.push_back(&sender); };
    for (Control* control : std::vector<Control*>{&Button1, &Button2, &CheckBox1, &ComboBox1,
                                                  &RadioGroup1, &SpeedButton1, &SpeedButton2}) {
      control->OnClick = record;
    }
    Edit1.OnChange = record;
    ComboBox1.OnChange = [this](Component& sender) { changes.push_back(&sender); };
    ComboBox1.SetItems({"B", "KB", "MB"});
    RadioGroup1.SetItems({"16進数で表示する", "1バイト文字で表示する"});
    Panel1.SetBounds(0, 40, 300, 200);
    RadioGroup1.SetBounds(4, 60, 250, 60);
    SpeedButton1.SetBounds(100, 0, 60, 24);
  }

  Button Button1;
  Button Button2;
  Panel Panel1;
  CheckBox CheckBox1;
  Edit Edit1;
  ComboBox ComboBox1;
  RadioGroup RadioGroup1;
  SpeedButton SpeedButton1;
  SpeedButton SpeedButton2;
  std::vector<Component*> senders;
  std::vector<Component*> changes;
};

void ClickSpeedButton(SpeedButton& button) {
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST(UiRouting, EachClickReachesTheHandlerOfItsOwnControl) {
  RoutingForm form;
  SendMessageW(form.Button2.Handle(), BM_CLICK, 0, 0);
  SendMessageW(form.Button1.Handle(), BM_CLICK, 0, 0);
  SendMessageW(form.CheckBox1.Handle(), BM_CLICK, 0, 0);  // inside the panel
  ASSERT_EQ(form.senders.size(), 3u);
  EXPECT_EQ(form.senders[0], &form.Button2);
  EXPECT_EQ(form.senders[1], &form.Button1);
  EXPECT_EQ(form.senders[2], &form.CheckBox1);
  EXPECT_TRUE(form.CheckBox1.Checked());
  EXPECT_EQ(SendMessageW(form.CheckBox1.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(UiRouting, SettingCheckedRunsTheClickHandlerOnlyOnAChange) {
  RoutingForm form;
  form.CheckBox1.SetChecked(true);
  form.CheckBox1.SetChecked(true);
  form.CheckBox1.SetChecked(false);
  ASSERT_EQ(form.senders.size(), 2u);
  EXPECT_FALSE(form.CheckBox1.Checked());
  EXPECT_EQ(SendMessageW(form.CheckBox1.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(UiRouting, TextChangesReachOnChangeAndReadBackAsCp932) {
  RoutingForm form;
  form.Edit1.SetText("検索内容");
  form.Edit1.SetSelection(8, 0);  // the caret after the last character
  SendMessageW(form.Edit1.Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"ソ表"));
  ASSERT_EQ(form.senders.size(), 2u);
  EXPECT_EQ(form.senders[1], &form.Edit1);
  EXPECT_EQ(form.Edit1.Text(), "検索内容ソ表");
  form.Edit1.SetSelection(2, 4);  // bytes: the characters 索内
  EXPECT_EQ(form.Edit1.SelStart(), 2);
  EXPECT_EQ(form.Edit1.SelLength(), 4);
}

TEST(UiRouting, ComboBoxReportsTheUsersChoiceButNotTheProgramsChoice) {
  RoutingForm form;
  form.ComboBox1.SetItemIndex(1);
  EXPECT_TRUE(form.changes.empty());
  EXPECT_EQ(form.ComboBox1.Text(), "KB");
  // The user's choice arrives at the panel as CBN_SELCHANGE from the box.
  SendMessageW(form.ComboBox1.Handle(), CB_SETCURSEL, 2, 0);
  SendMessageW(form.Panel1.Handle(), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(form.ComboBox1.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(form.ComboBox1.Handle()));
  ASSERT_EQ(form.changes.size(), 1u);
  EXPECT_EQ(form.changes[0], &form.ComboBox1);
  EXPECT_EQ(form.ComboBox1.ItemIndex(), 2);
  EXPECT_EQ(form.ComboBox1.Item(2), "MB");
}

TEST(UiRouting, RadioGroupTakesTheClickedItemAndRunsItsClickHandler) {
  RoutingForm form;
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), -1);
  form.RadioGroup1.SetItemIndex(0);
  SendMessageW(form.RadioGroup1.Button(1).Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 1);
  EXPECT_EQ(SendMessageW(form.RadioGroup1.Button(0).Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  form.RadioGroup1.SetItemIndex(1);  // no change, no click
  ASSERT_EQ(form.senders.size(), 2u);
  EXPECT_EQ(form.senders[0], &form.RadioGroup1);
  EXPECT_EQ(form.senders[1], &form.RadioGroup1);
}

TEST(UiRouting, SpeedButtonsClickAndKeepTheirGroupsDownState) {
  RoutingForm form;
  form.SpeedButton1.SetGroupIndex(1);
  form.SpeedButton1.SetAllowAllUp(true);
  ClickSpeedButton(form.SpeedButton1);
  EXPECT_TRUE(form.SpeedButton1.Down());
  ClickSpeedButton(form.SpeedButton1);
  EXPECT_FALSE(form.SpeedButton1.Down());
  ASSERT_EQ(form.senders.size(), 2u);
  EXPECT_EQ(form.senders[0], &form.SpeedButton1);

  // Without AllowAllUp one button of the group stays down.
  form.SpeedButton1.SetAllowAllUp(false);
  form.SpeedButton2.SetGroupIndex(1);
  form.SpeedButton1.SetDown(true);
  ClickSpeedButton(form.SpeedButton2);
  EXPECT_TRUE(form.SpeedButton2.Down());
  EXPECT_FALSE(form.SpeedButton1.Down());
  ClickSpeedButton(form.SpeedButton2);
  EXPECT_TRUE(form.SpeedButton2.Down());

  // A release outside the button is no click; a disabled button takes none.
  const std::size_t before = form.senders.size();
  SendMessageW(form.SpeedButton1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(form.SpeedButton1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  form.SpeedButton1.SetEnabled(false);
  ClickSpeedButton(form.SpeedButton1);
  EXPECT_EQ(form.senders.size(), before);
}

TEST(UiRouting, AnExceptionFromAHandlerIsShownAndTheProgramGoesOn) {
  testing::ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDOK);
  App().SetTitle("Trovex β");
  RoutingForm form;
  form.Button1.OnClick = [](Component&) { throw std::runtime_error("ファイルが壊れています"); };
  SendMessageW(form.Button1.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(prompts.Log().size(), 1u);
  EXPECT_EQ(prompts.Log()[0].text, "ファイルが壊れています");
  EXPECT_EQ(prompts.Log()[0].caption, "Trovex β");
  EXPECT_EQ(prompts.Log()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONSTOP));
  SendMessageW(form.Button2.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.senders.back(), &form.Button2);
}

TEST(UiRouting, SomethingThrownThatIsNoExceptionIsShownAsUnknown) {
  testing::ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDOK);
  RoutingForm form;
  form.Button1.OnClick = [](Component&) { throw 42; };
  SendMessageW(form.Button1.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(prompts.Log().size(), 1u);
  EXPECT_EQ(prompts.Log()[0].text, "Unknown exception");
}

TEST(UiRouting, TimerRunsItsHandlerWhileEnabled) {
  Timer timer;
  timer.SetInterval(10);
  int ticks = 0;
  timer.OnTimer = [&](Component& sender) {
    EXPECT_EQ(&sender, &timer);
    if (++ticks == 3) timer.SetEnabled(false);
  };
  EXPECT_TRUE(testing::PumpUntil([&] { return ticks >= 3; }));
  testing::PumpUntil([] { return false; }, 60);
  EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace trovex::ui
