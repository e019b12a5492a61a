#pragma once

#include "MainThread.h"

#include <windows.h>

#include <atomic>
#include <string>

// The console program's main thread as the engine sees it: no messages to handle, errors
// written to standard error, and the program ending once the user presses Ctrl+C (or
// Ctrl+Break). It serves the engine while it exists; one at a time.
class TConsoleThread final : public TMainThread {
public:
  TConsoleThread();
  ~TConsoleThread();
  TConsoleThread(const TConsoleThread&) = delete;
  TConsoleThread& operator=(const TConsoleThread&) = delete;

  void ProcessMessages() override {}
  bool Terminated() const override { return Interrupted(); }
  void Synchronize(const std::function<void()>& procedure) override { procedure(); }
  void HandleException(std::exception_ptr failure) override;
  void ReportThreadFailure(std::exception_ptr failure) override { HandleException(failure); }

  // Whether Ctrl+C was pressed since the thread began serving.
  static bool Interrupted() { return FInterrupted.load(); }
  // What Ctrl+C does; called by the console's own thread.
  static void Interrupt() { FInterrupted.store(true); }

private:
  static std::atomic<bool> FInterrupted;
};

// Writes the bytes to standard output or standard error (STD_OUTPUT_HANDLE, ...) as they are.
void WriteStandard(DWORD stream, const std::string& text);
// Writes a line to standard error, prefixed with the program's name.
void WriteError(const std::string& message);
