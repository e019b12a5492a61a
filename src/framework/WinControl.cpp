#include "WinControl.h"

#include "Application.h"

#include <stdexcept>
#include <unordered_map>

namespace {

// What this program knows of one of its windows. Kept here rather than in window properties
// or comctl32's subclass chains: under Wine every window property lookup is a round trip to
// the wine server, which every message of a subclassed control would pay.
struct TWindowEntry {
  // Null once the object is gone while its window lives on.
  TWinControl* Control = nullptr;
  // The procedure the window had before it was subclassed; null for windows of our classes.
  WNDPROC Previous = nullptr;
  // A child window a control is made of, such as the edit box of a combo box.
  bool Part = false;
};

// The program's windows all live on its UI thread, which alone reads and writes this map.
std::unordered_map<HWND, TWindowEntry>& Windows() {
  static std::unordered_map<HWND, TWindowEntry> windows;
  return windows;
}

const UINT_PTR DrawingTimer = 0x4B51;
const UINT DrawingDelayMs = 250;

TWindowEntry* EntryOf(HWND window) {
  auto& windows = Windows();
  const auto found = windows.find(window);
  return found != windows.end() ? &found->second : nullptr;
}

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
    : TComponent(owner), FHandle(CreateControlWindow(className, style, exStyle, parent, nullptr)),
      FSubclassed(true) {
  Subclass(Handle(), false);
  if (const HFONT font = ParentFont(parent)) {
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

TWinControl::TWinControl(TComponent* owner, TOwnClass, const char* className, DWORD style,
                         HWND parent, DWORD exStyle)
    : TComponent(owner) {
  // The window's first messages arrive before CreateWindowExA returns; WindowProcedure
  // takes the handle from the first of them.
  const HWND window = CreateControlWindow(className, style, exStyle, parent,
                                          static_cast<TWindowProcedureTarget*>(this));
  if (!FHandle) {
    FHandle.reset(window);
  }
  Windows()[Handle()].Control = this;
}

TWinControl::~TWinControl() {
  // The window may outlive this object by a few messages while it is destroyed; from here
  // on they go to the system's handling. A subclassed window keeps SubclassProc, since
  // another may have subclassed it after us, and that hands them to the procedure it
  // replaced.
  if (const HWND window = FHandle.get()) {
    if (TWindowEntry* entry = EntryOf(window)) {
      entry->Control = nullptr;
    }
    if (!FSubclassed) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      Windows().erase(window);
    }
  }
  for (const HWND part : FParts) {
    if (TWindowEntry* entry = EntryOf(part)) {
      entry->Control = nullptr;
    }
  }
}

void TWinControl::Subclass(HWND window, bool part) {
  TWindowEntry& entry = Windows()[window];
  entry.Control = this;
  entry.Part = part;
  // Asked in the window's own character set, the window answers its procedure itself
  // rather than a handle for CallWindowProc.
  if (!part) {
    FOwnProcedure = reinterpret_cast<WNDPROC>(IsWindowUnicode(window)
                                                  ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                  : GetWindowLongPtrA(window, GWLP_WNDPROC));
  }
  entry.Previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  if (!part) {
    FPrevious = entry.Previous;
  }
}

void TWinControl::Forget(HWND window, bool part) {
  if (part) {
    std::erase(FParts, window);
  } else {
    FHandle.release();
  }
}

TWinControl* TWinControl::FromHandle(HWND window) {
  const TWindowEntry* entry = EntryOf(window);
  return entry != nullptr && !entry->Part ? entry->Control : nullptr;
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
  if (FSubclassed) {
    return CallWindowProcA(FPrevious, Handle(), message, wParam, lParam);
  }
  return DefWindowProcA(Handle(), message, wParam, lParam);
}

void TWinControl::CommandNotification(WORD, WORD) {}

LRESULT TWinControl::NotifyNotification(NMHDR&) {
  return 0;
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
  }
  return false;
}

void TWinControl::HoldDrawing() {
  if (FDrawingHeld) {
    return;
  }
  FDrawingHeld = true;
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  SetTimer(Handle(), DrawingTimer, DrawingDelayMs, nullptr);
}

void TWinControl::ReleaseDrawing() {
  KillTimer(Handle(), DrawingTimer);
  FDrawingHeld = false;
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWinControl::SubclassPart(HWND part) {
  FParts.push_back(part);
  Subclass(part, true);
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
      result = CallWindowProcA(EntryOf(window)->Previous, window, message, wParam, lParam) |
               DLGC_WANTMESSAGE;
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

LRESULT TWinControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == DrawingTimer && FDrawingHeld) {
    ReleaseDrawing();
    return 0;
  }
  LRESULT result = 0;
  if (ReflectNotification(message, wParam, lParam, result)) {
    return result;
  }
  return ControlMessage(message, wParam, lParam);
}

LRESULT TWinControl::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!FHandle) {
    FHandle.reset(window);
  }
  if (message == WM_NCDESTROY) {
    Windows().erase(FHandle.release());
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  TWindowEntry* entry = EntryOf(window);
  if (entry == nullptr) {
    // Cannot happen: the entry goes only after the window's last message.
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const WNDPROC previous = entry->Previous;
  TWinControl* control = entry->Control;
  const bool part = entry->Part;
  if (message == WM_NCDESTROY) {
    Windows().erase(window);
    if (control != nullptr) {
      control->Forget(window, part);
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
  }
  if (control == nullptr) {
    return CallWindowProcA(previous, window, message, wParam, lParam);
  }
  try {
    LRESULT result = 0;
    if (control->KeyConsumed(window, message, wParam, lParam, result)) {
      return result;
    }
    if (part) {
      return CallWindowProcA(previous, window, message, wParam, lParam);
    }
    return control->Dispatch(message, wParam, lParam);
  } catch (...) {
    if (Application != nullptr) {
      Application->HandleException(std::current_exception());
    }
    return 0;
  }
}
