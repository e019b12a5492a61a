#pragma once

#include <windows.h>

// A C++ object that handles the messages of one window.
class TWindowProcedureTarget {
public:
  virtual LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
  ~TWindowProcedureTarget() = default;
};

// The window procedure of every window class this program registers. It takes the target
// from CreateWindowExA's creation parameter at WM_NCCREATE, forgets it after WM_NCDESTROY,
// and hands any exception a handler raises to the application's error report, so none
// crosses into the system.
LRESULT CALLBACK StandardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers a window class served by StandardWindowProc, once per process.
void RegisterStandardWindowClass(const char* className, UINT style, HICON icon, HBRUSH background);
