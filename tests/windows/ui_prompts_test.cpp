// The prompt service: the scripted one answers in order and records what was asked;
// the real InputQuery dialog works through the modal hook.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/label.h"
#include "windows/support/ui_script.h"

namespace trovex::ui {
namespace {

TEST(UiPrompts, ScriptedAnswersComeInOrderAndEveryTextIsRecorded) {
  testing::ScriptedPrompts prompts;
  App().SetTitle("Trovex β");
  prompts.ExpectMessage();
  prompts.ExpectMessageBox(IDNO);
  prompts.ExpectInputQuery("新しい名前");
  prompts.ExpectInputQuery(std::nullopt);
  prompts.ExpectFolder("C:\\データ");

  App().ShowMessage("検索する内容が入力されていません。");
  EXPECT_EQ(App().MessageBox("保存しますか？", "確認", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  std::string name = "古い名前";
  EXPECT_TRUE(App().InputQuery("名前の変更", "名前", name));
  EXPECT_EQ(name, "新しい名前");
  EXPECT_FALSE(App().InputQuery("名前の変更", "名前", name));
  EXPECT_EQ(name, "新しい名前");
  EXPECT_EQ(App().BrowseForFolder("検索するフォルダを選択して下さい", ""), "C:\\データ");

  const std::vector<std::string> texts{"検索する内容が入力されていません。", "保存しますか？",
                                       "名前", "名前", "検索するフォルダを選択して下さい"};
  EXPECT_EQ(prompts.Texts(), texts);
  EXPECT_EQ(prompts.Log()[0].caption, "Trovex β");
  EXPECT_EQ(prompts.Log()[1].caption, "確認");
  EXPECT_EQ(prompts.Log()[1].flags, static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONQUESTION));
}

TEST(UiPrompts, AnUnexpectedPromptFailsTheTestAndGetsACancel) {
  EXPECT_NONFATAL_FAILURE(
      {
        testing::ScriptedPrompts prompts;
        EXPECT_EQ(App().MessageBox("削除しますか？", "確認", MB_YESNO), IDCANCEL);
      },
      "unexpected MessageBox");
  EXPECT_NONFATAL_FAILURE(
      {
        testing::ScriptedPrompts prompts;
        prompts.ExpectMessageBox(IDYES);
      },
      "never shown");
}

// Outside any script the tests' main answers: every prompt and every modal form
// fails the test and is cancelled at once, so that no test waits for a user.
TEST(UiPrompts, WithNoScriptPromptsAndModalFormsFailAndAreCancelled) {
  EXPECT_NONFATAL_FAILURE(
      EXPECT_EQ(App().MessageBox("上書きしますか？", "確認", MB_YESNO), IDCANCEL),
      "unexpected MessageBox with no scripted prompts");
  std::string value = "元の値";
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(App().InputQuery("名前", "新しい名前:", value)),
                          "unexpected InputQuery");
  EXPECT_EQ(value, "元の値");
  EXPECT_NONFATAL_FAILURE(App().ShowMessage("見つかりません。"), "unexpected ShowMessage");
  EXPECT_NONFATAL_FAILURE(EXPECT_EQ(App().BrowseForFolder("フォルダの選択", ""), ""),
                          "unexpected BrowseForFolder");

  // A script's end puts the strict answers back, not the real dialogs.
  { testing::ScriptedPrompts prompts; }
  EXPECT_NONFATAL_FAILURE(App().ShowMessage("x"), "with no scripted prompts");

  auto dialog = MakeForm<Form>();
  dialog->SetCaption("予期しない画面");
  int result = mrNone;
  EXPECT_NONFATAL_FAILURE(result = dialog->ShowModal(),
                          "unexpected modal form with no modal script");
  EXPECT_EQ(result, mrCancel);
  EXPECT_FALSE(dialog->Visible());
}

TEST(UiPrompts, TheRealInputQueryDialogReturnsTheEditedValueOnOk) {
  testing::ModalScript script;
  std::string promptShown;
  auto answer = [&](const char* typed, bool ok) {
    return [&, typed, ok](Form& form) {
      Edit* edit = nullptr;
      Button* okButton = nullptr;
      Button* cancelButton = nullptr;
      for (Control* child : form.Children()) {
        if (auto* e = dynamic_cast<Edit*>(child)) edit = e;
        if (auto* l = dynamic_cast<Label*>(child)) promptShown = l->Caption();
        if (auto* b = dynamic_cast<Button*>(child))
          (b->ModalResult() == mrOk ? okButton : cancelButton) = b;
      }
      ASSERT_TRUE(edit && okButton && cancelButton);
      EXPECT_EQ(edit->Text(), "初期値");
      edit->SetText(typed);
      SendMessageW((ok ? okButton : cancelButton)->Handle(), BM_CLICK, 0, 0);
    };
  };
  WindowsPrompts real;
  std::string value = "初期値";
  script.Then(answer("入力した値", true));
  EXPECT_TRUE(real.InputQuery("名前の変更", "新しい名前", value));
  EXPECT_EQ(value, "入力した値");
  EXPECT_EQ(promptShown, "新しい名前");
  value = "初期値";
  script.Then(answer("捨てる値", false));
  EXPECT_FALSE(real.InputQuery("名前の変更", "新しい名前", value));
  EXPECT_EQ(value, "初期値");
}

}  // namespace
}  // namespace trovex::ui
