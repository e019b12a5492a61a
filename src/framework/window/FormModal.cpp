#include "Form.h"

#include "Application.h"
#include "Button.h"

#include <stdexcept>
#include <vector>

namespace {

// Keeps the user in a modal form while it shows: the thread's other visible and enabled
// top-level windows are disabled. At the end they are enabled again before the form hides,
// so that the window the user came from becomes the active one again.
class TModalScope {
public:
  TModalScope(HWND form, bool& modal) : FForm(form), FModal(modal) {
    EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
    FModal = true;
  }
  ~TModalScope() {
    for (const HWND window : FDisabled) {
      EnableWindow(window, TRUE);
    }
    ShowWindow(FForm, SW_HIDE);
    FModal = false;
  }
  TModalScope(const TModalScope&) = delete;
  TModalScope& operator=(const TModalScope&) = delete;

private:
  static BOOL CALLBACK Disable(HWND window, LPARAM scope) {
    auto& self = *reinterpret_cast<TModalScope*>(scope);
    if (window != self.FForm && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      self.FDisabled.push_back(window);
    }
    return TRUE;
  }

  HWND FForm;
  bool& FModal;
  std::vector<HWND> FDisabled;
};

struct TButtonSearch {
  bool (TButton::*Role)() const;
  TButton* Found = nullptr;
};

BOOL CALLBACK FindButton(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TButtonSearch*>(data);
  auto* button = dynamic_cast<TButton*>(TWinControl::FromHandle(window));
  if (button != nullptr && (button->*search.Role)() && IsWindowVisible(window) &&
      IsWindowEnabled(window)) {
    search.Found = button;
    return FALSE;
  }
  return TRUE;
}

} // namespace

TModalResult TForm::ShowModal() {
  if (Visible() || FModal) {
    throw std::logic_error("Cannot make a visible window modal");
  }
  // Owned by the window the user was in, so that it stays above that window.
  SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(GetActiveWindow()));
  FModalResult = mrNone;
  {
    const TModalScope scope(Handle(), FModal);
    Show();
    while (FModalResult == mrNone && Visible() && !Application->Terminated()) {
      Application->HandleMessage();
    }
  }
  if (FModalResult == mrNone) {
    FModalResult = mrCancel;
  }
  return FModalResult;
}

void TForm::DialogKeyCommand(WORD command) {
  TButtonSearch search{command == IDOK ? &TButton::Default : &TButton::Cancel};
  EnumChildWindows(Handle(), &FindButton, reinterpret_cast<LPARAM>(&search));
  if (search.Found != nullptr) {
    search.Found->Click();
  }
}
