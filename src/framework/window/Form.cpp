#include "Form.h"

#include "Action.h"
#include "Application.h"
#include "Font.h"
#include "FormatSettings.h"

#include <algorithm>

namespace {
const char* RegisteredFormClass(const char* className, HICON icon) {
  TWindowRegistry::RegisterWindowClass(className, CS_DBLCLKS, icon,
                                       GetSysColorBrush(COLOR_BTNFACE));
  return className;
}

// A dialog's frame leaves out WS_CLIPCHILDREN: its transparent labels and pictures show the
// form's background, which the form must then paint beneath them too.
DWORD BorderStyle(TFormBorderStyle borderStyle) {
  return borderStyle == bsDialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU
                                 : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

DWORD BorderExStyle(TFormBorderStyle borderStyle) {
  return WS_EX_CONTROLPARENT | (borderStyle == bsDialog ? WS_EX_DLGMODALFRAME : 0);
}
} // namespace

TForm::TForm(TComponent* owner, const char* className, HICON icon, TFormBorderStyle borderStyle)
    : TWinControl(owner, TOwnClass{}, RegisteredFormClass(className, icon),
                  BorderStyle(borderStyle), nullptr, BorderExStyle(borderStyle)) {
  if (Application != nullptr && Application->MainForm() == nullptr) {
    Application->SetMainForm(this);
  }
}

TForm::~TForm() {
  DoDestroy();
  if (Application != nullptr && Application->MainForm() == this) {
    Application->SetMainForm(nullptr);
  }
}

void TForm::DoCreate() {
  for (int i = 0; i < ComponentCount(); ++i) {
    Components(i)->Loaded();
  }
  OnCreate(this);
}

void TForm::DoDestroy() {
  if (!FDestroyed) {
    FDestroyed = true;
    OnDestroy(this);
  }
}

void TForm::SetFont(const char* face, int pixelHeight) {
  FFont = CreatePixelFont(face, pixelHeight);
}

void TForm::SetClientSize(int width, int height) {
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)),
                     GetMenu(Handle()) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
  SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetMenu(TMainMenu* menu) {
  FMenu = menu;
  if (menu != nullptr) {
    menu->AttachTo(Handle());
  }
}

void TForm::Show() {
  if (Visible()) {
    return;
  }
  OnShow(this);
  if (!FShown) {
    FShown = true;
    if (FPosition == poScreenCenter) {
      CenterOnScreen();
    }
  }
  static const int showCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
  ShowWindow(Handle(), showCommands[FWindowState]);
}

TWindowState TForm::WindowState() const {
  if (!Visible()) {
    return FWindowState;
  }
  return IsIconic(Handle()) ? wsMinimized : IsZoomed(Handle()) ? wsMaximized : wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  FWindowState = state;
  if (Visible()) {
    static const int showCommands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(Handle(), showCommands[state]);
  }
}

void TForm::Close() {
  if (!CloseQuery()) {
    return;
  }
  TCloseAction action = caHide;
  OnClose(this, action);
  if (action == caNone) {
    return;
  }
  if (FModal) {
    // ShowModal hides the form, once the windows it disabled can take the user back.
    if (FModalResult == mrNone) {
      FModalResult = mrCancel;
    }
  } else if (Application != nullptr && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caMinimize) {
    ShowWindow(Handle(), SW_MINIMIZE);
  } else {
    ShowWindow(Handle(), SW_HIDE);
  }
}

bool TForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

bool TForm::IsShortCut(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
    return false;
  }
  TShortCut shortCut = static_cast<TShortCut>(message.wParam & 0xFF);
  const TShiftState shift = KeyboardShiftState();
  if (shift.Contains(ssShift)) {
    shortCut |= scShift;
  }
  if (shift.Contains(ssCtrl)) {
    shortCut |= scCtrl;
  }
  // Alt is down when the key arrived as a system key, whatever GetKeyState says.
  if (shift.Contains(ssAlt) || (message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)))) {
    shortCut |= scAlt;
  }
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* actions = dynamic_cast<TActionList*>(Components(i))) {
      if (actions->IsShortCut(shortCut)) {
        return true;
      }
    }
  }
  return false;
}

void TForm::CenterOnScreen() {
  const TBounds bounds = Bounds();
  SetBounds({(GetSystemMetrics(SM_CXSCREEN) - bounds.Width) / 2,
             (GetSystemMetrics(SM_CYSCREEN) - bounds.Height) / 2, bounds.Width, bounds.Height});
}

void TForm::Activated(bool active) {
  if (!active) {
    const HWND focused = GetFocus();
    if (focused != nullptr && IsChild(Handle(), focused)) {
      FFocused = focused;
    }
    return;
  }
  // Back to the control that had the focus, or to the first in the tab order.
  if (FFocused == nullptr || !IsWindow(FFocused) || !IsChild(Handle(), FFocused)) {
    FFocused = GetNextDlgTabItem(Handle(), nullptr, FALSE);
  }
  if (FFocused != nullptr) {
    ::SetFocus(FFocused);
  }
}

void TForm::AddMessageHook(TFormMessageHook* hook) {
  FMessageHooks.push_back(hook);
}

void TForm::RemoveMessageHook(TFormMessageHook* hook) {
  std::erase(FMessageHooks, hook);
}

LRESULT TForm::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!FMessageHooks.empty()) {
    // A copy, as a hook may go while it handles the message.
    const std::vector<TFormMessageHook*> hooks = FMessageHooks;
    for (TFormMessageHook* hook : hooks) {
      LRESULT result = 0;
      if (std::find(FMessageHooks.begin(), FMessageHooks.end(), hook) != FMessageHooks.end() &&
          hook->FormMessage(message, wParam, lParam, result)) {
        return result;
      }
    }
  }
  switch (message) {
  case WM_CLOSE:
    Close();
    return 0;
  case WM_SIZE:
    Resize();
    return 0;
  case WM_ACTIVATE:
    Activated(LOWORD(wParam) != WA_INACTIVE);
    return 0;
  case WM_GETFONT:
    return reinterpret_cast<LRESULT>(FFont.get());
  case WM_COMMAND:
    if (lParam == 0 && HIWORD(wParam) == 0 &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      DialogKeyCommand(LOWORD(wParam));
      return 0;
    }
    if (lParam == 0 && HIWORD(wParam) == 0 && FMenu != nullptr) {
      if (TMenuItem* item = FMenu->FindItem(LOWORD(wParam))) {
        item->Click();
      }
      return 0;
    }
    break;
  case WM_MEASUREITEM:
    if (FMenu != nullptr && FMenu->MeasureImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
      return TRUE;
    }
    break;
  case WM_DRAWITEM:
    if (FMenu != nullptr && FMenu->DrawImage(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) {
      return TRUE;
    }
    break;
  case WM_WININICHANGE:
    // Date and time texts made from now on follow the user's changed settings.
    RefreshFormatSettings();
    break;
  default:
    break;
  }
  return DefaultHandler(message, wParam, lParam);
}
