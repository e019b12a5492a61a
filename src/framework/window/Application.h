#pragma once

#include "Component.h"
#include "Cursors.h"
#include "Event.h"
#include "MainThread.h"
#include "UniqueHandle.h"
#include "WindowRegistry.h"

#include <exception>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

using TExceptionEvent = TEvent<const std::exception&>;

class TForm;

// The application object of the UI thread: its message loop, the hand-over of procedures
// from other threads, and the default error report. Exactly one exists at a time, created
// on the UI thread; the global Application points to it.
class TApplication final : public TComponent, public TMainThread, private TWindowTarget {
public:
  TApplication();
  ~TApplication() override;

  // The first form created; closing it ends the application.
  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* form) { FMainForm = form; }

  // Shows the main form, then handles messages until the quit message is seen.
  void Run();
  // Waits for the next message and handles it, as each turn of Run does; a sent message
  // that arrives meanwhile is handled within the wait.
  void HandleMessage();
  // Handles every message that is pending, then returns.
  void ProcessMessages() override;
  // Whether the message interval has passed since messages were last handled. Work that
  // runs long on the UI thread handles messages only when this says so: asking the queue,
  // even an empty one, costs a call to the system's server, and reading the clock does not.
  bool MessagesDue() const { return GetTickCount64() - FMessagesHandled >= FMessageInterval; }
  // In milliseconds; 0, the default, makes every call due.
  void SetMessageInterval(ULONGLONG milliseconds) { FMessageInterval = milliseconds; }
  // Asks the message loop to end, by posting the quit message.
  void Terminate();
  // Set once the quit message has been seen.
  bool Terminated() const override { return FTerminated; }

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }

  // The pointer shapes of the program's controls, by cursor index.
  TCursorTable& Cursors() { return FCursors; }

  // Runs the procedure on the UI thread and waits until it returns; an exception it raises
  // is raised again here. From another thread the procedure runs when the UI thread next
  // retrieves messages; on the UI thread itself it runs at once.
  void Synchronize(const std::function<void()>& procedure) override;

  // Reports an error: through OnException when assigned, otherwise in a message box.
  void HandleException(std::exception_ptr failure) override;
  void ShowException(const std::exception& error) const;
  // May be called from any thread; the error is reported on the UI thread.
  void ReportThreadFailure(std::exception_ptr failure) override;

  TExceptionEvent OnException;

private:
  LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed(HWND) override {}
  void Dispatch(const MSG& message);
  // Shortcuts of actions and the keyboard navigation between a form's controls.
  bool HandledByForm(const MSG& message);
  void ReportPendingThreadFailures();

  const DWORD FMainThreadId;
  bool FTerminated = false;
  ULONGLONG FMessageInterval = 0;
  ULONGLONG FMessagesHandled = 0;
  std::string FTitle;
  TForm* FMainForm = nullptr;
  TCursorTable FCursors;
  TWindowHandle FWindow;
  std::mutex FFailuresLock;
  std::vector<std::exception_ptr> FThreadFailures;
};

extern TApplication* Application;
