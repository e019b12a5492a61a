#include "Thread.h"

#include <process.h>

#include <stdexcept>

int ThreadPriorityValue(TThreadPriority priority) {
  static const int values[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                               THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                               THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                               THREAD_PRIORITY_TIME_CRITICAL};
  return values[priority];
}

void TThread::SetPriority(TThreadPriority priority) {
  FPriority = priority;
  if (FHandle) {
    ::SetThreadPriority(FHandle.get(), ThreadPriorityValue(priority));
  }
}

void TThread::Start() {
  // Created suspended, so that the handle and priority are in place before the body runs.
  FHandle.reset(reinterpret_cast<HANDLE>(
      _beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, nullptr)));
  if (!FHandle) {
    throw std::runtime_error("Thread creation error");
  }
  ::SetThreadPriority(FHandle.get(), ThreadPriorityValue(FPriority));
  ResumeThread(FHandle.get());
}

unsigned __stdcall TThread::ThreadProc(void* parameter) {
  auto* thread = static_cast<TThread*>(parameter);
  try {
    thread->Execute();
  } catch (...) {
    // No exception may leave a thread body; the UI thread reports it.
    if (MainThread != nullptr) {
      MainThread->ReportThreadFailure(std::current_exception());
    }
  }
  const bool freeItself = thread->FFreeOnTerminate;
  thread->FFinished = true;
  if (freeItself) {
    delete thread;
  }
  return 0;
}
