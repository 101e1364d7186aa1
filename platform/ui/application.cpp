#include "platform/ui/application.h"

#include <commctrl.h>

#include <stdexcept>
#include <utility>

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/hint_text.h"
#include "platform/ui/timer.h"

namespace trovex::ui {
namespace {

// The control whose hint applies at a window: the nearest control up the parent
// chain, then up the controls until one has a hint.
const Control* HintedControl(HWND hwnd) {
  Control* control = nullptr;
  while (hwnd != nullptr && (control = Control::FromHandle(hwnd)) == nullptr)
    hwnd = GetParent(hwnd);
  while (control != nullptr && control->Hint().empty()) control = control->Parent();
  return control;
}

bool IsOurs(HWND hwnd) {
  while (hwnd != nullptr) {
    if (Control::FromHandle(hwnd) != nullptr) return true;
    hwnd = GetParent(hwnd);
  }
  return false;
}

LRESULT CALLBACK UtilityProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    try {
      Timer::Fire(wParam);
    } catch (...) {
      App().ShowCurrentException();
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

Application& Application::Instance() {
  static Application application;
  return application;
}

Application::Application() : prompts_(&windowsPrompts_) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                             ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                             ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&init);
}

HWND Application::UtilityWindow() {
  if (utility_ == nullptr) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = UtilityProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrovexUtility";
    RegisterClassExW(&wc);
    utility_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
  }
  return utility_;
}

void Application::Run(Form& mainForm) {
  mainForm_ = &mainForm;
  mainForm.EnsureCreated();
  mainForm.Show();
  while (!terminated_) HandleMessage();
}

void Application::Terminate() { PostQuitMessage(0); }

void Application::HandleMessage() {
  MSG msg;
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return;
  }
  Dispatch(msg);
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return;
    }
    Dispatch(msg);
  }
}

void Application::Dispatch(MSG& msg) {
  if (PreTranslate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

bool Application::PreTranslate(MSG& msg) {
  TrackHint(msg);
  // Only keys are the form's to see first.
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || msg.hwnd == nullptr) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  auto* form = dynamic_cast<Form*>(Control::FromHandle(root));
  if (form == nullptr) return false;
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    if (form->PreviewKey(static_cast<unsigned>(msg.wParam), KeyShiftState())) return true;
  }
  // Tab, arrows and mnemonics move between the controls as in a dialog.
  return IsDialogMessageW(root, &msg) != FALSE;
}

void Application::TrackHint(const MSG& msg) {
  if (msg.message == WM_MOUSEMOVE) {
    const Control* control = HintedControl(msg.hwnd);
    SetHint(control != nullptr ? LongHint(control->Hint()) : "");
    if (msg.hwnd != hintTracked_) {
      hintTracked_ = msg.hwnd;
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, msg.hwnd, 0};
      TrackMouseEvent(&track);
    }
  } else if (msg.message == WM_MOUSELEAVE && msg.hwnd == hintTracked_) {
    hintTracked_ = nullptr;
    POINT at{};
    GetCursorPos(&at);
    if (!IsOurs(WindowFromPoint(at))) SetHint("");
  }
}

void Application::SetHint(std::string_view longHint) {
  if (hint_ == longHint) return;
  hint_ = std::string(longHint);
  if (OnHint) OnHint(hint_);
}

void Application::SetHintHandler(const Form* owner,
                                 std::function<void(const std::string& longHint)> handler) {
  hintOwner_ = owner;
  OnHint = std::move(handler);
}

void Application::DropHintHandlerOf(const Form* owner) {
  if (owner == nullptr || hintOwner_ != owner) return;
  hintOwner_ = nullptr;
  OnHint = nullptr;
}

void HintHandlerGuard::Install(const Form* owner,
                               std::function<void(const std::string& longHint)> handler) {
  if (!installed_) {
    previous_ = App().OnHint;
    previousOwner_ = App().HintHandlerOwner();
    installed_ = true;
  }
  owner_ = owner;
  App().SetHintHandler(owner, std::move(handler));
}

void HintHandlerGuard::Restore() {
  if (!installed_) return;
  installed_ = false;
  if (App().HintHandlerOwner() == owner_) {
    App().DropHintHandlerOf(owner_);
    if (previous_) App().SetHintHandler(previousOwner_, std::move(previous_));
  }
  previous_ = nullptr;
  previousOwner_ = nullptr;
}

void Application::SetHintColor(Color color) {
  hintColor_ = color;
  for (Form* form : Form::All()) form->SetTooltipColor(color);
}

void Application::BeginBusy() {
  if (busy_++ == 0) ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void Application::EndBusy() {
  if (busy_ > 0 && --busy_ == 0) {
    POINT at{};
    GetCursorPos(&at);
    SetCursorPos(at.x, at.y);  // makes the window under the mouse set its own cursor again
  }
}

void Application::SetPrompts(PromptService* prompts) {
  prompts_ = prompts != nullptr ? prompts : &windowsPrompts_;
}

void Application::ShowException(const std::exception& error) {
  std::string text = error.what();
  if (text.empty()) text = "エラーが発生しました。";
  prompts_->MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

void Application::ShowCurrentException() {
  try {
    throw;
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowException(std::runtime_error("Unknown exception"));
  }
}

}  // namespace trovex::ui
