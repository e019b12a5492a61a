#include "WindowRegistry.h"

#include "MainThread.h"

#include <stdexcept>
#include <string>
#include <unordered_map>

namespace {

struct TWindowEntry {
  // Null once the object is gone while its window lives on.
  TWindowTarget* Target = nullptr;
  // The procedure the window had before it was subclassed; null for windows of our classes.
  WNDPROC Previous = nullptr;
};

// Only the UI thread, where every window of the program lives, reads and writes it.
std::unordered_map<HWND, TWindowEntry>& Windows() {
  static std::unordered_map<HWND, TWindowEntry> windows;
  return windows;
}

} // namespace

LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return previous != nullptr ? CallWindowProcA(previous, window, message, wParam, lParam)
                             : DefWindowProcA(window, message, wParam, lParam);
}

void TWindowRegistry::RegisterWindowClass(const char* className, UINT style, HICON icon,
                                          HBRUSH background) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, className, &existing)) {
    return;
  }
  WNDCLASSA windowClass = {};
  windowClass.style = style;
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  if (RegisterClassA(&windowClass) == 0) {
    throw std::runtime_error(std::string("Cannot register window class ") + className + " " +
                             std::to_string(GetLastError()));
  }
}

WNDPROC TWindowRegistry::Subclass(HWND window, TWindowTarget* target) {
  TWindowEntry& entry = Windows()[window];
  entry.Target = target;
  entry.Previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
  return entry.Previous;
}

void TWindowRegistry::Detach(HWND window) {
  const auto found = Windows().find(window);
  if (found != Windows().end()) {
    found->second.Target = nullptr;
  }
}

TWindowTarget* TWindowRegistry::TargetOf(HWND window) {
  const auto found = Windows().find(window);
  return found != Windows().end() ? found->second.Target : nullptr;
}

LRESULT TWindowRegistry::CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = Windows().find(window);
  return CallPrevious(found != Windows().end() ? found->second.Previous : nullptr, window, message,
                      wParam, lParam);
}

LRESULT CALLBACK TWindowRegistry::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  auto& windows = Windows();
  if (message == WM_NCCREATE) {
    // A window of one of our classes. A few messages (WM_GETMINMAXINFO) come before this
    // one; they get the default handling.
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (create->lpCreateParams != nullptr) {
      windows[window] = {static_cast<TWindowTarget*>(create->lpCreateParams), nullptr};
    }
  }
  const auto found = windows.find(window);
  if (found == windows.end()) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const TWindowEntry entry = found->second;
  if (message == WM_NCDESTROY) {
    windows.erase(found);
    if (entry.Target != nullptr) {
      entry.Target->WindowDestroyed(window);
    }
    return CallPrevious(entry.Previous, window, message, wParam, lParam);
  }
  if (entry.Target == nullptr) {
    return CallPrevious(entry.Previous, window, message, wParam, lParam);
  }
  try {
    return entry.Target->WindowMessage(window, message, wParam, lParam);
  } catch (...) {
    ReportCurrentException();
    return 0;
  }
}
