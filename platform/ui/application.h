#pragma once
// Application: the message loop, the application-wide hint, the busy cursor, the
// prompt service and the hook that lets tests act on modal forms.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/color.h"
#include "platform/ui/prompts.h"

namespace trovex::ui {

class Form;

class Application {
 public:
  static Application& Instance();

  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title) { title_ = std::string(title); }

  // Shows the main form and processes messages until it closes (or Terminate).
  void Run(Form& mainForm);
  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* form) { mainForm_ = form; }
  // Processes every pending message and returns.
  void ProcessMessages();
  // Waits for one message and processes it.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Lets Run and modal loops run again after a Terminate (tests).
  void ResetTerminated() { terminated_ = false; }

  // The long part of the hint of the control or menu item under the mouse; empty
  // over nothing hinted. OnHint runs whenever it changes and receives it.
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view longHint);
  std::function<void(const std::string& longHint)> OnHint;
  // Installs OnHint on behalf of a form; the handler goes when that form does.
  void SetHintHandler(const Form* owner, std::function<void(const std::string& longHint)> handler);
  // Removes OnHint when `owner` installed it.
  void DropHintHandlerOf(const Form* owner);
  // The form OnHint was installed on behalf of; null when none (or set directly).
  const Form* HintHandlerOwner() const { return hintOwner_; }
  // Background of the hint tooltips (clNone: the system's).
  Color HintColor() const { return hintColor_; }
  void SetHintColor(Color color);

  // The hourglass everywhere while at least one BusyCursor lives.
  bool Busy() const { return busy_ > 0; }
  void BeginBusy();
  void EndBusy();

  // The prompt service in use: the real dialogs unless a test swapped in its own.
  PromptService& Prompts() { return *prompts_; }
  // Installs a service (not owned); null restores the real dialogs.
  void SetPrompts(PromptService* prompts);
  void ShowMessage(const std::string& text) { prompts_->ShowMessage(text); }
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return prompts_->MessageBox(text, caption, flags);
  }
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    return prompts_->InputQuery(caption, prompt, value);
  }
  std::string BrowseForFolder(const std::string& title, const std::string& initial) {
    return prompts_->BrowseForFolder(title, initial);
  }

  // Called with every form right after it opens modally (tests act on it and close it).
  std::function<void(Form&)> ModalHook;

  // The standard display of an exception that escaped an event handler.
  void ShowException(const std::exception& error);
  // ShowException for the exception being handled; call it only inside a catch block.
  void ShowCurrentException();

  // The hidden window that receives timer messages.
  HWND UtilityWindow();

 private:
  Application();
  bool PreTranslate(MSG& msg);
  void TrackHint(const MSG& msg);
  void Dispatch(MSG& msg);

  std::string title_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  std::string hint_;
  const Form* hintOwner_ = nullptr;
  Color hintColor_ = clNone;
  int busy_ = 0;
  WindowsPrompts windowsPrompts_;
  PromptService* prompts_;
  HWND utility_ = nullptr;
  HWND hintTracked_ = nullptr;
};

inline Application& App() { return Application::Instance(); }

// A form's status line as the place the long hints go, for as long as the form
// wants it: Install puts the form's handler in place and remembers the one that was
// there (and its form); Restore, or the guard's end, puts that one back while the
// form's handler is still the one in place. A second Restore does nothing.
class HintHandlerGuard {
 public:
  HintHandlerGuard() = default;
  ~HintHandlerGuard() { Restore(); }
  HintHandlerGuard(const HintHandlerGuard&) = delete;
  HintHandlerGuard& operator=(const HintHandlerGuard&) = delete;

  void Install(const Form* owner, std::function<void(const std::string& longHint)> handler);
  void Restore();

 private:
  bool installed_ = false;
  const Form* owner_ = nullptr;
  std::function<void(const std::string& longHint)> previous_;
  const Form* previousOwner_ = nullptr;
};

// Shows the hourglass for its lifetime.
class BusyCursor {
 public:
  BusyCursor() { App().BeginBusy(); }
  ~BusyCursor() { App().EndBusy(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace trovex::ui
