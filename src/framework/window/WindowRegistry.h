#pragma once

#include <windows.h>

// An object that serves the messages of windows: windows of a class the program registers,
// or standard controls subclassed for it, and the parts they are made of.
class TWindowTarget {
public:
  // Every message of a window entered for this object but its last (WM_NCDESTROY), which
  // goes to WindowDestroyed instead.
  virtual LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // The window has had its last message; the object lives on without it.
  virtual void WindowDestroyed(HWND window) = 0;

protected:
  ~TWindowTarget() = default;
};

// The program's windows and the objects that serve them, with the one window procedure they
// all have. A window is entered at WM_NCCREATE when it is of a class registered here (its
// object is CreateWindowExA's creation parameter, as a TWindowTarget*), or when a standard
// control is subclassed, and it is left at WM_NCDESTROY. The procedure hands any exception
// an object raises to the default error report, so none crosses into the system.
//
// The table is a map of our own on the UI thread, where all of the program's windows live.
// Window properties and comctl32's subclass helpers would do the same, but under Wine each
// of their lookups is a round trip to the wine server, paid on every message.
class TWindowRegistry {
public:
  TWindowRegistry() = delete;

  // Registers a window class served by the registry, once per process.
  static void RegisterWindowClass(const char* className, UINT style, HICON icon, HBRUSH background);
  // Puts the registry's procedure in front of the window's own and enters the window for the
  // target; answers the procedure it replaced.
  static WNDPROC Subclass(HWND window, TWindowTarget* target);
  // The window's object is gone while the window lives on: until the window is destroyed,
  // its messages get the handling it would have without the object.
  static void Detach(HWND window);
  // The object that serves the window; null for windows not entered or detached.
  static TWindowTarget* TargetOf(HWND window);
  // The handling the window would have without its object: the procedure it had before it
  // was subclassed, or DefWindowProcA for a window of a registered class.
  static LRESULT CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Calls the procedure a window had before it was subclassed; null means DefWindowProcA.
LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
