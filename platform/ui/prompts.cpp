#include "platform/ui/prompts.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

HWND PromptOwner() {
  HWND active = GetActiveWindow();
  if (active != nullptr) return active;
  return App().MainForm() != nullptr ? App().MainForm()->Handle() : nullptr;
}

// The one-line question of InputQuery.
class InputQueryDlg : public Form {
 public:
  InputQueryDlg(const std::string& caption, const std::string& prompt, const std::string& value)
      : Prompt(this, prompt), Value(this), OkBtn(this, "OK"), CancelBtn(this, "キャンセル") {
    SetCaption(caption);
    SetBorder(BorderStyle::Dialog, biSystemMenu);
    SetPosition(FormPosition::ScreenCenter);
    SetClientSize(360, 100);
    Prompt.SetBounds(8, 10, Prompt.Width(), Prompt.Height());
    Value.SetBounds(8, 32, 344, 22);
    Value.SetText(value);
    Value.SelectAll();
    OkBtn.SetBounds(196, 66, 75, 25);
    OkBtn.SetModalResult(mrOk);
    OkBtn.SetDefault(true);
    CancelBtn.SetBounds(277, 66, 75, 25);
    CancelBtn.SetModalResult(mrCancel);
    CancelBtn.SetCancel(true);
    SetActiveControl(&Value);
  }

  Label Prompt;
  Edit Value;
  Button OkBtn;
  Button CancelBtn;
};

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data != 0) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

void WindowsPrompts::ShowMessage(const std::string& text) {
  ::MessageBoxW(PromptOwner(), Widen(text).c_str(), Widen(App().Title()).c_str(), MB_OK);
}

int WindowsPrompts::MessageBox(const std::string& text, const std::string& caption,
                               unsigned flags) {
  return ::MessageBoxW(PromptOwner(), Widen(text).c_str(), Widen(caption).c_str(), flags);
}

bool WindowsPrompts::InputQuery(const std::string& caption, const std::string& prompt,
                                std::string& value) {
  auto dialog = MakeForm<InputQueryDlg>(caption, prompt, value);
  if (dialog->ShowModal() != mrOk) return false;
  value = dialog->Value.Text();
  return true;
}

std::string WindowsPrompts::BrowseForFolder(const std::string& title, const std::string& initial) {
  const std::wstring wideTitle = Widen(title);
  const std::wstring wideInitial = Widen(initial);
  BROWSEINFOW info{};
  info.hwndOwner = PromptOwner();
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
  info.lpfn = BrowseCallback;
  info.lParam = wideInitial.empty() ? 0 : reinterpret_cast<LPARAM>(wideInitial.c_str());
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  if (item == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(item, path) != FALSE;
  CoTaskMemFree(item);
  return ok ? Narrow(path) : std::string();
}

}  // namespace trovex::ui
