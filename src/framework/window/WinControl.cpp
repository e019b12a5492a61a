#include "WinControl.h"

#include <stdexcept>

namespace {

HWND CreateControlWindow(const char* className, DWORD style, DWORD exStyle, HWND parent,
                         void* createParameter) {
  const HWND window = CreateWindowExA(
      exStyle, className, "",
      style | (parent != nullptr && (style & WS_POPUP) == 0 ? WS_CHILD | WS_VISIBLE : 0), 0, 0, 0,
      0, parent, nullptr, GetModuleHandleA(nullptr), createParameter);
  if (window == nullptr) {
    throw std::runtime_error(std::string("Error creating window of class ") + className + " " +
                             std::to_string(GetLastError()));
  }
  return window;
}

} // namespace

TShiftState KeyboardShiftState() {
  TShiftState state;
  if (GetKeyState(VK_SHIFT) < 0) {
    state.Include(ssShift);
  }
  if (GetKeyState(VK_MENU) < 0) {
    state.Include(ssAlt);
  }
  if (GetKeyState(VK_CONTROL) < 0) {
    state.Include(ssCtrl);
  }
  return state;
}

HFONT ParentFont(HWND parent) {
  return parent != nullptr ? reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0))
                           : nullptr;
}

TWinControl::TWinControl(TComponent* owner, const char* className, DWORD style, HWND parent,
                         DWORD exStyle)
    : TComponent(owner), FHandle(CreateControlWindow(className, style, exStyle, parent, nullptr)) {
  FPrevious = TWindowRegistry::Subclass(Handle(), this);
  if (const HFONT font = ParentFont(parent)) {
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

TWinControl::TWinControl(TComponent* owner, TOwnClass, const char* className, DWORD style,
                         HWND parent, DWORD exStyle)
    : TComponent(owner) {
  // The window's first messages arrive before CreateWindowExA returns; WindowMessage takes
  // the handle from the first of them.
  const HWND window =
      CreateControlWindow(className, style, exStyle, parent, static_cast<TWindowTarget*>(this));
  if (!FHandle) {
    FHandle.reset(window);
  }
}

TWinControl::~TWinControl() {
  // The window may outlive this object by a few messages while it is destroyed; from here
  // on they get the handling they would have without it.
  TWindowRegistry::Detach(FHandle.get());
  for (const HWND part : FParts) {
    TWindowRegistry::Detach(part);
  }
}

void TWinControl::WindowDestroyed(HWND window) {
  if (window == FHandle.get()) {
    FHandle.release();
  } else {
    std::erase(FParts, window);
  }
}

TWinControl* TWinControl::FromHandle(HWND window) {
  // Parts are served by the control they belong to, but are not that control.
  auto* control = dynamic_cast<TWinControl*>(TWindowRegistry::TargetOf(window));
  return control != nullptr && control->Handle() == window ? control : nullptr;
}

TBounds TWinControl::Bounds() const {
  RECT rect;
  GetWindowRect(Handle(), &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TWinControl::SetBounds(const TBounds& bounds) {
  SetWindowPos(Handle(), nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TWinControl::Text() const {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(Handle())), '\0');
  const int length = GetWindowTextA(Handle(), text.data(), static_cast<int>(text.size()) + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void TWinControl::SetText(const std::string& text) {
  SetWindowTextA(Handle(), text.c_str());
}

bool TWinControl::Enabled() const {
  return IsWindowEnabled(Handle()) != FALSE;
}

void TWinControl::SetEnabled(bool enabled) {
  EnableWindow(Handle(), enabled);
}

bool TWinControl::Visible() const {
  return IsWindowVisible(Handle()) != FALSE;
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

LRESULT TWinControl::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallPrevious(FPrevious, Handle(), message, wParam, lParam);
}

void TWinControl::CommandNotification(WORD, WORD) {}

LRESULT TWinControl::NotifyNotification(NMHDR&) {
  return 0;
}

HBRUSH TWinControl::ControlColor(HDC) {
  return nullptr;
}

bool TWinControl::ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && lParam != 0) {
    if (TWinControl* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
      control->CommandNotification(HIWORD(wParam), LOWORD(wParam));
      result = 0;
      return true;
    }
  } else if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (TWinControl* control = FromHandle(header->hwndFrom)) {
      result = control->NotifyNotification(*header);
      return true;
    }
  } else if (message == WM_CTLCOLORSTATIC) {
    if (TWinControl* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
      if (const HBRUSH brush = control->ControlColor(reinterpret_cast<HDC>(wParam))) {
        result = reinterpret_cast<LRESULT>(brush);
        return true;
      }
    }
  }
  return false;
}

void TWinControl::SubclassPart(HWND part) {
  FParts.push_back(part);
  TWindowRegistry::Subclass(part, this);
}

bool TWinControl::KeyConsumed(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) {
  switch (message) {
  case WM_GETDLGCODE: {
    // Dialog navigation keeps Tab and Esc; every other key goes to OnKeyDown first, as a
    // handler may want Enter.
    const auto* pending = reinterpret_cast<const MSG*>(lParam);
    if (OnKeyDown && pending != nullptr &&
        (pending->message == WM_KEYDOWN || pending->message == WM_SYSKEYDOWN) &&
        pending->wParam != VK_TAB && pending->wParam != VK_ESCAPE) {
      result = TWindowRegistry::CallDefault(window, message, wParam, lParam) | DLGC_WANTMESSAGE;
      return true;
    }
    return false;
  }
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    if (OnKeyDown) {
      WORD key = static_cast<WORD>(wParam);
      OnKeyDown(this, key, KeyboardShiftState());
      if (key == 0) {
        // The character the key would type is dropped too, so that no beep follows.
        FSuppressChar = true;
        result = 0;
        return true;
      }
    }
    return false;
  case WM_CHAR:
  case WM_SYSCHAR:
    if (FSuppressChar) {
      FSuppressChar = false;
      result = 0;
      return true;
    }
    return false;
  default:
    return false;
  }
}

LRESULT TWinControl::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!FHandle) {
    FHandle.reset(window);
  }
  LRESULT result = 0;
  if (KeyConsumed(window, message, wParam, lParam, result)) {
    return result;
  }
  if (window != FHandle.get()) {
    return TWindowRegistry::CallDefault(window, message, wParam, lParam);
  }
  if (ReflectNotification(message, wParam, lParam, result)) {
    return result;
  }
  return ControlMessage(message, wParam, lParam);
}
