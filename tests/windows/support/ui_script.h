#pragma once
// Test helpers for windows: a scripted prompt service and a script of modal forms.
// Both install themselves for their lifetime (putting back what was there before)
// and fail the test on any prompt or modal form that was not expected, and on
// expectations left unused. Outside them the tests' main fails any prompt or modal
// form (support/test_main.cpp).
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/form.h"

namespace trovex::testing {

class ScriptedPrompts : public ui::PromptService {
 public:
  enum class Kind { Message, MessageBox, InputQuery, Folder };
  struct Prompt {
    Kind kind;
    std::string text;     // message text, or the prompt of InputQuery, or the title
    std::string caption;  // caption of MessageBox and InputQuery
    unsigned flags = 0;   // MB_ flags of MessageBox
  };

  ScriptedPrompts();
  ~ScriptedPrompts() override;

  // Expectations, answered in order.
  void ExpectMessage();
  void ExpectMessageBox(int answer);
  // nullopt: the user cancels.
  void ExpectInputQuery(std::optional<std::string> value);
  void ExpectFolder(std::string folder);

  // Every prompt shown, in order.
  const std::vector<Prompt>& Log() const { return log_; }
  // The texts of every prompt, in order.
  std::vector<std::string> Texts() const;

  void ShowMessage(const std::string& text) override;
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
  bool InputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override;
  std::string BrowseForFolder(const std::string& title, const std::string& initial) override;

 private:
  struct Answer {
    Kind kind;
    int button = 0;
    std::optional<std::string> text;
  };
  std::optional<Answer> Next(Kind kind, const std::string& text);

  ui::PromptService* previous_;
  std::deque<Answer> answers_;
  std::vector<Prompt> log_;
};

// Acts on the forms that open modally, one step per form, in order. A step must
// end the form's modal loop (a click on a button with a modal result, Close, or
// SetModalResult) unless the form ends it by itself.
class ModalScript {
 public:
  using Step = std::function<void(ui::Form&)>;
  ModalScript();
  ~ModalScript();
  void Then(Step step);
  int FormsSeen() const { return seen_; }

 private:
  std::deque<Step> steps_;
  int seen_ = 0;
  std::function<void(ui::Form&)> previous_;
};

// Processes messages until `done` is true or `milliseconds` pass; returns done().
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 2000);

// The user's choice of item `index` in a drop-down box: the selection moves and the
// box's parent gets CBN_SELCHANGE, which runs OnChange (SetItemIndex runs nothing).
void ChooseComboItem(ui::ComboBox& box, int index);

}  // namespace trovex::testing
