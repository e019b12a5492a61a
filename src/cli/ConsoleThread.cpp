#include "ConsoleThread.h"

#include <stdexcept>
#include <string>

std::atomic<bool> TConsoleThread::FInterrupted{false};

namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
    // The walk stops at its next entry; the rows found so far are still written.
    TConsoleThread::Interrupt();
    return TRUE;
  }
  return FALSE;
}

} // namespace

TConsoleThread::TConsoleThread() {
  FInterrupted.store(false);
  SetConsoleCtrlHandler(&OnConsoleControl, TRUE);
  MainThread = this;
}

TConsoleThread::~TConsoleThread() {
  MainThread = nullptr;
  SetConsoleCtrlHandler(&OnConsoleControl, FALSE);
}

void TConsoleThread::HandleException(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    WriteError(error.what());
  } catch (...) {
    WriteError("unknown error");
  }
}

void WriteStandard(DWORD stream, const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(stream), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void WriteError(const std::string& message) {
  WriteStandard(STD_ERROR_HANDLE, "quillet: " + message + "\r\n");
}
