#include "ErrorReports.h"

void TErrorListener::Heard(TObject* sender, const std::exception& error) {
  Senders.push_back(sender);
  Messages.push_back(error.what());
  Threads.push_back(GetCurrentThreadId());
}
