#include "MainThread.h"

TMainThread* MainThread = nullptr;

void ReportCurrentException() {
  if (MainThread != nullptr) {
    MainThread->HandleException(std::current_exception());
  }
}
