#include "WindowProc.h"

#include "Application.h"

#include <exception>

namespace {

TWindowProcedureTarget* TargetOf(HWND window) {
  return reinterpret_cast<TWindowProcedureTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

} // namespace

LRESULT CALLBACK StandardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  TWindowProcedureTarget* target = TargetOf(window);
  if (target == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  }
  try {
    return target->WindowProcedure(window, message, wParam, lParam);
  } catch (...) {
    if (Application != nullptr) {
      Application->HandleException(std::current_exception());
    }
    return 0;
  }
}

void RegisterStandardWindowClass(const char* className, UINT style, HICON icon, HBRUSH background) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, className, &existing)) {
    return;
  }
  WNDCLASSA windowClass = {};
  windowClass.style = style;
  windowClass.lpfnWndProc = StandardWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
}
