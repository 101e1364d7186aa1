// Modal loops: ended by buttons, by Close, by keys and by the modal hook; nested
// modal forms; ProcessMessages inside a long handler; keys seen by the form first.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/timer.h"
#include "windows/support/ui_script.h"

namespace trovex::ui {
namespace {

class Dialog : public Form {
 public:
  explicit Dialog(Form* owner = nullptr)
      : Form(owner), Edit1(this), OkBtn(this, "OK"), CancelBtn(this, "キャンセル") {
    SetCaption("ダイアログ");
    OkBtn.SetModalResult(mrOk);
    OkBtn.SetDefault(true);
    CancelBtn.SetModalResult(mrCancel);
    CancelBtn.SetCancel(true);
    CancelBtn.SetTop(40);
  }
  void FormCreate() override { ++created; }
  void FormShow() override { ++shown; }
  void FormCloseQuery(bool& canClose) override {
    ++closeQueries;
    canClose = refusals-- <= 0;
  }
  void FormClose(CloseAction&) override { ++closed; }
  void FormDestroy() override { ++*destroyed; }
  void FormShortCut(unsigned key, ShiftState, bool& handled) override {
    if (key == VK_F1) {
      ++helpKeys;
      handled = true;
    }
  }

  Edit Edit1;
  Button OkBtn;
  Button CancelBtn;
  int created = 0, shown = 0, closeQueries = 0, closed = 0, helpKeys = 0;
  int refusals = 0;
  int ownDestroyed = 0;
  int* destroyed = &ownDestroyed;
};

TEST(UiModal, AButtonsModalResultEndsTheLoopAfterTheCloseEvents) {
  testing::ModalScript script;
  script.Then([](Form& form) {
    auto& dialog = dynamic_cast<Dialog&>(form);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_TRUE(dialog.Modal());
    dialog.Edit1.SetText("入力");
    SendMessageW(dialog.OkBtn.Handle(), BM_CLICK, 0, 0);
  });
  int destroyed = 0;
  {
    auto dialog = MakeForm<Dialog>();
    dialog->destroyed = &destroyed;
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(dialog->Edit1.Text(), "入力");
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->Modal());
    EXPECT_EQ(dialog->created, 1);
    EXPECT_EQ(dialog->shown, 1);
    EXPECT_EQ(dialog->closeQueries, 1);
    EXPECT_EQ(dialog->closed, 1);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(UiModal, CloseFromTheHookGivesCancelAndARefusedCloseKeepsTheLoopRunning) {
  testing::ModalScript script;
  script.Then([](Form& form) { form.Close(); });
  auto dialog = MakeForm<Dialog>();
  EXPECT_EQ(dialog->ShowModal(), mrCancel);

  // The first close is refused; a timer of the form then closes it again.
  Timer retry;
  retry.SetInterval(20);
  retry.SetEnabled(false);
  retry.OnTimer = [&](Component&) {
    retry.SetEnabled(false);
    SendMessageW(dialog->CancelBtn.Handle(), BM_CLICK, 0, 0);
  };
  script.Then([&](Form& form) {
    auto& d = dynamic_cast<Dialog&>(form);
    d.refusals = 1;
    d.closeQueries = 0;
    PostMessageW(d.Handle(), WM_CLOSE, 0, 0);
    retry.SetEnabled(true);
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(dialog->closeQueries, 2);
}

TEST(UiModal, EnterAndEscapePressTheDefaultAndCancelButtons) {
  testing::ModalScript script;
  auto dialog = MakeForm<Dialog>();
  script.Then([](Form& form) {
    auto& d = dynamic_cast<Dialog&>(form);
    PostMessageW(d.Edit1.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  script.Then([](Form& form) {
    auto& d = dynamic_cast<Dialog&>(form);
    PostMessageW(d.Edit1.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
}

TEST(UiModal, TheFormSeesKeysBeforeTheFocusedControl) {
  Dialog form;
  int editKeys = 0;
  form.Edit1.OnKeyDown = [&](Component&, unsigned& key, ShiftState) {
    if (key == VK_F1) ++editKeys;
  };
  form.Show();
  form.Edit1.SetFocus();
  PostMessageW(form.Edit1.Handle(), WM_KEYDOWN, VK_F1, 0);
  PostMessageW(form.Edit1.Handle(), WM_KEYDOWN, VK_F2, 0);
  App().ProcessMessages();
  EXPECT_EQ(form.helpKeys, 1);
  EXPECT_EQ(editKeys, 0);
  form.Hide();
}

TEST(UiModal, NestedModalFormsDisableTheFormsBelowThemUntilTheyClose) {
  testing::ModalScript script;
  Dialog outer;
  outer.Show();
  auto inner = MakeForm<Dialog>(&outer);
  bool outerDisabledWhileInner = false;
  script.Then([&](Form& form) {
    EXPECT_EQ(&form, inner.get());
    // The inner form's button opens another modal form on top of it.
    inner->OkBtn.OnClick = [&](Component&) {
      Dialog third;
      script.Then([&](Form& top) {
        outerDisabledWhileInner =
            !IsWindowEnabled(outer.Handle()) && !IsWindowEnabled(inner->Handle());
        top.SetModalResult(mrYes);
      });
      EXPECT_EQ(third.ShowModal(), mrYes);
    };
    SendMessageW(inner->OkBtn.Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(inner->ShowModal(), mrOk);
  EXPECT_TRUE(outerDisabledWhileInner);
  EXPECT_TRUE(IsWindowEnabled(outer.Handle()));
  EXPECT_EQ(script.FormsSeen(), 2);
  outer.Hide();
}

TEST(UiModal, ALongLivedDialogOutlivesTheWindowItWasOpenedFrom) {
  testing::ModalScript script;
  auto keeper = MakeForm<Dialog>();  // made once, shown from other windows
  {
    Dialog shortLived;
    shortLived.Show();
    script.Then([&](Form& form) {
      EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), shortLived.Handle());
      form.SetModalResult(mrOk);
    });
    EXPECT_EQ(keeper->ShowModal(), mrOk);
  }
  ASSERT_NE(keeper->Handle(), nullptr);
  EXPECT_TRUE(IsWindow(keeper->Handle()));
  script.Then([](Form& form) { form.SetModalResult(mrOk); });
  EXPECT_EQ(keeper->ShowModal(), mrOk);
}

TEST(UiModal, ProcessMessagesInsideALongHandlerLetsACancelButtonWork) {
  // The long work runs in a timer of the modal form, as a counting dialog does;
  // its cancel button is pressed while the work goes on.
  class CountDlg : public Form {
   public:
    CountDlg() : CancelBtn(this, "キャンセル") {
      Work.SetInterval(10);
      Work.OnTimer = [this](Component&) {
        Work.SetEnabled(false);
        PostMessageW(CancelBtn.Handle(), BM_CLICK, 0, 0);
        while (!cancelled && rounds < 100000) {
          ++rounds;
          App().ProcessMessages();
        }
        Close();
      };
      CancelBtn.OnClick = [this](Component&) { cancelled = true; };
    }
    Button CancelBtn;
    Timer Work;
    bool cancelled = false;
    int rounds = 0;
  };
  testing::ModalScript script;
  script.Then([](Form&) {});  // the form's own timer ends the loop
  auto dialog = MakeForm<CountDlg>();
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(dialog->cancelled);
  EXPECT_LT(dialog->rounds, 100000);
}

}  // namespace
}  // namespace trovex::ui
