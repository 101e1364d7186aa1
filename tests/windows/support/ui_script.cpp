#include "windows/support/ui_script.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace trovex::testing {
namespace {

const char* KindName(ScriptedPrompts::Kind kind) {
  switch (kind) {
    case ScriptedPrompts::Kind::Message:
      return "ShowMessage";
    case ScriptedPrompts::Kind::MessageBox:
      return "MessageBox";
    case ScriptedPrompts::Kind::InputQuery:
      return "InputQuery";
    default:
      return "BrowseForFolder";
  }
}

}  // namespace

ScriptedPrompts::ScriptedPrompts() : previous_(&ui::App().Prompts()) { ui::App().SetPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() {
  ui::App().SetPrompts(previous_);
  if (!answers_.empty()) {
    ADD_FAILURE() << answers_.size() << " expected prompt(s) never shown, the first a "
                  << KindName(answers_.front().kind);
  }
}

void ScriptedPrompts::ExpectMessage() { answers_.push_back({Kind::Message, 0, std::nullopt}); }

void ScriptedPrompts::ExpectMessageBox(int answer) {
  answers_.push_back({Kind::MessageBox, answer, std::nullopt});
}

void ScriptedPrompts::ExpectInputQuery(std::optional<std::string> value) {
  answers_.push_back({Kind::InputQuery, 0, std::move(value)});
}

void ScriptedPrompts::ExpectFolder(std::string folder) {
  answers_.push_back({Kind::Folder, 0, std::move(folder)});
}

std::vector<std::string> ScriptedPrompts::Texts() const {
  std::vector<std::string> texts;
  for (const Prompt& prompt : log_) texts.push_back(prompt.text);
  return texts;
}

std::optional<ScriptedPrompts::Answer> ScriptedPrompts::Next(Kind kind, const std::string& text) {
  if (answers_.empty() || answers_.front().kind != kind) {
    ADD_FAILURE() << "unexpected " << KindName(kind) << ": " << text;
    return std::nullopt;
  }
  Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void ScriptedPrompts::ShowMessage(const std::string& text) {
  log_.push_back({Kind::Message, text, ui::App().Title(), MB_OK});
  Next(Kind::Message, text);
}

int ScriptedPrompts::MessageBox(const std::string& text, const std::string& caption,
                                unsigned flags) {
  log_.push_back({Kind::MessageBox, text, caption, flags});
  const auto answer = Next(Kind::MessageBox, text);
  return answer ? answer->button : IDCANCEL;
}

bool ScriptedPrompts::InputQuery(const std::string& caption, const std::string& prompt,
                                 std::string& value) {
  log_.push_back({Kind::InputQuery, prompt, caption, 0});
  const auto answer = Next(Kind::InputQuery, prompt);
  if (!answer || !answer->text) return false;
  value = *answer->text;
  return true;
}

std::string ScriptedPrompts::BrowseForFolder(const std::string& title, const std::string&) {
  log_.push_back({Kind::Folder, title, "", 0});
  const auto answer = Next(Kind::Folder, title);
  return answer && answer->text ? *answer->text : std::string();
}

ModalScript::ModalScript() : previous_(ui::App().ModalHook) {
  ui::App().ModalHook = [this](ui::Form& form) {
    ++seen_;
    if (steps_.empty()) {
      ADD_FAILURE() << "unexpected modal form: " << form.Caption();
      form.SetModalResult(ui::mrCancel);
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(form);
    // A step stopped by a failed ASSERT would leave the form waiting for ever.
    if (::testing::Test::HasFatalFailure() && form.Modal()) form.SetModalResult(ui::mrCancel);
  };
}

ModalScript::~ModalScript() {
  ui::App().ModalHook = previous_;
  if (!steps_.empty()) ADD_FAILURE() << steps_.size() << " modal step(s) never used";
}

void ModalScript::Then(Step step) { steps_.push_back(std::move(step)); }

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > static_cast<DWORD>(milliseconds)) return false;
    ui::App().ProcessMessages();
    Sleep(1);
  }
  return true;
}

void ChooseComboItem(ui::ComboBox& box, int index) {
  SendMessageW(box.Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(box.Handle()), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box.Handle()));
}

}  // namespace trovex::testing
