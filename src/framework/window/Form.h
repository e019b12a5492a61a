#pragma once

#include "Event.h"
#include "Menu.h"
#include "UniqueHandle.h"
#include "WinControl.h"

#include <string>

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition { poDesigned, poScreenCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// Sizeable with the caption's buttons, or the fixed frame of a dialog box.
enum TFormBorderStyle { bsSizeable, bsDialog };

// How a modal showing ended: nothing yet, or the dialog box identifiers of the buttons.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;

using TNotifyEvent = TEvent<>;
using TCloseQueryEvent = TEvent<bool&>;
using TCloseEvent = TEvent<TCloseAction&>;

// What a component installs on its owner form to see the form's messages before the form
// does, while it needs them (a shell context menu on screen wants the menu messages).
class TFormMessageHook {
public:
  // True when the hook has handled the message; result is then the form's answer, and the
  // form's own handling does not run.
  virtual bool FormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

protected:
  ~TFormMessageHook() = default;
};

// A top-level window that holds controls. A derived form builds its controls in its
// constructor and then calls DoCreate. The first form the application creates is its main
// form: closing it ends the application.
class TForm : public TWinControl {
public:
  // className names the window class registered for this kind of form.
  TForm(TComponent* owner, const char* className, HICON icon = nullptr,
        TFormBorderStyle borderStyle = bsSizeable);
  ~TForm() override;

  void SetFont(const char* face, int pixelHeight);
  // Sizes the window so that its client area has this size.
  void SetClientSize(int width, int height);
  HFONT Font() const { return FFont.get(); }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition position) { FPosition = position; }
  // Normal, minimized or maximized: applied at once when the form is visible, otherwise
  // when it is shown.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  void SetMenu(TMainMenu* menu);
  TMainMenu* Menu() const { return FMenu; }

  // Shows the form: OnShow first, then, at the first showing, the place its Position asks
  // for, then the window in its WindowState.
  void Show();
  // Asks OnCloseQuery, then OnClose, then hides the form or, for the main form, ends the
  // application; a modal form gets the result mrCancel, unless it has one, and ends its
  // showing.
  void Close();
  // Shows the form while every other window of the application is disabled, handling
  // messages until it has a modal result or is closed, then hides it and enables the others
  // again; answers the result (mrCancel when it was closed without one, or the application
  // ended meanwhile).
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }
  bool CloseQuery();
  // Runs the action of the form whose shortcut the key message gives; answers whether
  // there was one.
  bool IsShortCut(const MSG& message);

  // Hooks see the form's messages in the order they were added, before the form handles
  // them; the notifications of the form's own controls have gone to those controls already.
  // A hook may remove itself, or be removed, while it handles a message.
  void AddMessageHook(TFormMessageHook* hook);
  void RemoveMessageHook(TFormMessageHook* hook);

  // A component may take over OnShow, OnCloseQuery and OnDestroy once the form is built
  // (stored settings do): it puts its own handler in and calls the one it found. A handler
  // assigned after such a take-over replaces the component's, which then hears nothing more
  // of that event; assign the form's own handlers before the components are told Loaded.
  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;
  TNotifyEvent OnDestroy;

protected:
  // Tells every component of the form that it is complete, then raises OnCreate.
  void DoCreate();
  // Raises OnDestroy once. A derived form calls it first in its destructor, while its own
  // members still exist for the handlers.
  void DoDestroy();
  // The client area changed size; lays out what depends on it.
  virtual void Resize() {}
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void CenterOnScreen();
  void Activated(bool active);
  // Enter and Esc in a form come from the dialog manager as the commands IDOK and IDCANCEL;
  // they click the form's default or cancel button.
  void DialogKeyCommand(WORD command);

  TFontHandle FFont;
  TMainMenu* FMenu = nullptr;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  bool FShown = false;
  bool FDestroyed = false;
  bool FModal = false;
  TModalResult FModalResult = mrNone;
  HWND FFocused = nullptr;
  std::vector<TFormMessageHook*> FMessageHooks;
};
