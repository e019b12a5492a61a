#pragma once

#include "MainThread.h"
#include "Object.h"
#include "UniqueHandle.h"

#include <atomic>

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The value SetThreadPriority takes for each priority.
int ThreadPriorityValue(TThreadPriority priority);

// A thread whose body is Execute. A derived class calls Start as the last step of its own
// constructor, so the body never sees a half-built object. A thread marked FreeOnTerminate
// deletes itself when its body returns; any other must have Finished before it is deleted.
class TThread : public TObject {
public:
  ~TThread() override = default;

  // The request to stop: it sets the flag that Terminated answers and does nothing else.
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }

  TThreadPriority Priority() const { return FPriority; }
  void SetPriority(TThreadPriority priority);

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }

  // True once the body has returned.
  bool Finished() const { return FFinished; }
  HANDLE Handle() const { return FHandle.get(); }

protected:
  TThread() = default;
  void Start();
  virtual void Execute() = 0;

  // Runs a method of this thread on the UI thread and blocks until it returns; an exception
  // it raises is raised again on this thread.
  template <typename TDerived>
  void Synchronize(void (TDerived::*method)()) {
    // Without an application there is no UI thread to hand the method to.
    if (MainThread == nullptr) {
      return;
    }
    MainThread->Synchronize([this, method] { (static_cast<TDerived*>(this)->*method)(); });
  }

private:
  static unsigned __stdcall ThreadProc(void* thread);

  TKernelHandle FHandle;
  TThreadPriority FPriority = tpNormal;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFreeOnTerminate{false};
  std::atomic<bool> FFinished{false};
};
