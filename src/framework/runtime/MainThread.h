#pragma once

#include <exception>
#include <functional>

// What code without windows needs of the UI thread: running a procedure there, handling
// its pending messages, and the program's default error report. The application object
// serves it while it exists.
class TMainThread {
public:
  // Handles every message that is pending, then returns; on the UI thread only.
  virtual void ProcessMessages() = 0;
  // Whether the program is ending (its message loop has seen the quit message).
  virtual bool Terminated() const = 0;
  // Runs the procedure on the UI thread and waits until it returns; an exception it raises
  // is raised again in the caller. On the UI thread itself it runs at once.
  virtual void Synchronize(const std::function<void()>& procedure) = 0;
  // The default error report; on the UI thread only.
  virtual void HandleException(std::exception_ptr failure) = 0;
  // The error is reported on the UI thread; from any thread.
  virtual void ReportThreadFailure(std::exception_ptr failure) = 0;

protected:
  ~TMainThread() = default;
};

// Null while there is no application.
extern TMainThread* MainThread;

// Gives the exception being handled to the default error report; called inside a catch
// block. Without an application there is nobody to tell, and the error is dropped.
void ReportCurrentException();

// Runs the body; what it raises goes to the default error report and no further.
template <typename TBody>
void RunReported(TBody&& body) {
  try {
    body();
  } catch (...) {
    ReportCurrentException();
  }
}
