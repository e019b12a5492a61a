#include "SearchThread.h"

#include "FileGrep.h"

TSearchThread::TSearchThread(TFileGrep* grep) : Grep(grep) {
  SetFreeOnTerminate(true);
  SetPriority(grep->ThreadPriority());
  Start();
}

void TSearchThread::Execute() {
  Synchronize(&TSearchThread::RunSearch);
  // Whether the object frees itself is read once the body has returned, so it is settled
  // before the state tells the component that the worker is its to free.
  SetFreeOnTerminate(false);
  TState expected = tsPending;
  if (!FState.compare_exchange_strong(expected, tsUnrun)) {
    SetFreeOnTerminate(true);
  }
}

void TSearchThread::RunSearch() {
  TState expected = tsPending;
  if (FState.compare_exchange_strong(expected, tsRan)) {
    Grep->DoSearch(Grep->RunParameters());
  }
}

bool TSearchThread::Release() {
  TState expected = tsPending;
  FState.compare_exchange_strong(expected, tsComponentGone);
  // A run in progress (the component is destroyed from one of its handlers) is abandoned,
  // and its worker frees itself as ever.
  return FState != tsUnrun;
}
