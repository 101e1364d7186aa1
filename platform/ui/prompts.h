#pragma once
// The prompt service: every message box and small question the program asks goes
// through it, so that tests can answer them (see Application::SetPrompts).
// <windows.h> first: its MessageBox macro must rename the member the same way everywhere.
#include <windows.h>

#include <string>

namespace trovex::ui {

class PromptService {
 public:
  virtual ~PromptService() = default;
  // A message with an OK button; the caption is the application title.
  virtual void ShowMessage(const std::string& text) = 0;
  // flags: MB_ buttons and icon; returns the button pressed (IDOK, IDYES, ...).
  virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
  // A one-line question; true with the edited value on OK, false (value unchanged) on Cancel.
  virtual bool InputQuery(const std::string& caption, const std::string& prompt,
                          std::string& value) = 0;
  // The shell's folder picker; the chosen folder, or empty when cancelled.
  virtual std::string BrowseForFolder(const std::string& title, const std::string& initial) = 0;
};

// The real dialogs, owned by the active window.
class WindowsPrompts : public PromptService {
 public:
  void ShowMessage(const std::string& text) override;
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
  bool InputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override;
  std::string BrowseForFolder(const std::string& title, const std::string& initial) override;
};

}  // namespace trovex::ui
