#pragma once

#include "Component.h"
#include "KeyEvents.h"
#include "UniqueHandle.h"
#include "WindowRegistry.h"

#include <string>
#include <vector>

// A place and size in pixels, relative to the parent's client area.
struct TBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// A component that owns one window. Controls are made from the system's window classes and
// subclassed, so that tools and tests from outside see the standard controls they know;
// forms and panels register classes of their own. Either way the window's messages reach
// ControlMessage, and the WM_COMMAND and WM_NOTIFY a parent receives from a child reach the
// child's object.
class TWinControl : public TComponent, public TWindowTarget {
public:
  ~TWinControl() override;

  HWND Handle() const { return FHandle.get(); }

  TBounds Bounds() const;
  void SetBounds(const TBounds& bounds);
  std::string Text() const;
  void SetText(const std::string& text);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetFocus();

  // The control object of a window of this program; null for any other window.
  static TWinControl* FromHandle(HWND window);

  TKeyEvent OnKeyDown;

protected:
  // A control of a system window class; it takes its parent's font.
  TWinControl(TComponent* owner, const char* className, DWORD style, HWND parent,
              DWORD exStyle = 0);
  // A window of a class registered with TWindowRegistry::RegisterWindowClass.
  struct TOwnClass {};
  TWinControl(TComponent* owner, TOwnClass, const char* className, DWORD style, HWND parent,
              DWORD exStyle = 0);

  // Every message of the window; what a control does not handle goes to DefaultHandler.
  virtual LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // A WM_COMMAND notification this control sent to its parent; id is the command's
  // identifier (a tool bar's button, for example).
  virtual void CommandNotification(WORD code, WORD id);
  // A WM_NOTIFY this control sent to its parent.
  virtual LRESULT NotifyNotification(NMHDR& header);
  // The colours of a static control, asked of its parent (WM_CTLCOLORSTATIC): sets them in
  // the context and answers the background brush, or null for the parent's default answer.
  virtual HBRUSH ControlColor(HDC dc);
  // Also sends the key messages of a child window the control is made of (the edit box
  // inside a combo box) through this control's OnKeyDown.
  void SubclassPart(HWND part);

private:
  LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed(HWND window) override;
  // True when the key message was given to OnKeyDown and consumed there.
  bool KeyConsumed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Routes a child's WM_COMMAND, WM_NOTIFY or WM_CTLCOLORSTATIC to the child's object; false
  // when the message is none of them, the child is not one of ours or leaves it to the parent.
  static bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  TWindowHandle FHandle;
  std::vector<HWND> FParts;
  bool FSuppressChar = false;
  // The procedure the window had before it was subclassed, kept here too so that the
  // default handling of every message needs no lookup; null for a window of our classes.
  WNDPROC FPrevious = nullptr;
};

// Lets every control take the font of the window it is created in.
HFONT ParentFont(HWND parent);
