#pragma once

#include "app/MainWindowSession.h"

#include <optional>

// The main window started on whatever the registry holds, as the program starts it, unlike
// TMainWindowSession, which clears the stored settings first. It counts the stored-settings
// component's saves, also those made while the application ends.
class TStoredSession {
public:
  // With recordErrors false, errors reach the default report, a message box.
  explicit TStoredSession(TErrorLog& errors, bool recordErrors = true);
  ~TStoredSession();
  TStoredSession(const TStoredSession&) = delete;
  TStoredSession& operator=(const TStoredSession&) = delete;

  TfrmQuilletMain& Form() const { return *FForm; }
  TApplication& App() { return *FApplication; }
  const std::vector<std::string>& Errors() const { return FErrors.Messages(); }
  int Saves() const { return FSaves; }

  // Shows the window as the application's start does, and handles what that posted.
  void Show();
  // Presses the window's close box, then waits as WaitForEnd does.
  bool PressCloseBox();
  // Handles messages until a close request has ended the application's message loop.
  bool WaitForEnd();
  // Destroys the application and with it the window.
  void End();

private:
  void Saved(TObject*) { ++FSaves; }

  TOleSession FOle;
  TErrorLog& FErrors;
  int FSaves = 0;
  std::optional<TApplication> FApplication;
  TfrmQuilletMain* FForm = nullptr;
};

using TStoredSessionTest = TSessionTest<TStoredSession>;

// The window as designed: its size, and the place it has before it first shows.
constexpr TBounds DesignedBounds{0, 0, 384, 379};
RECT DesignedRect();
// Where the window opens when nothing places it: its designed size, centred on the screen.
RECT CentredRect();
WINDOWPLACEMENT PlacementOf(HWND window);
// Whether SetWindowPlacement keeps the maximized position it is given, as Windows does; Wine 8
// answers (-1, -1) whatever was set.
bool SystemKeepsMaxPosition();
RECT WindowRect(HWND window);
// The rectangle as the program stores it: "left,top,right,bottom".
std::string RectText(const RECT& rect);
