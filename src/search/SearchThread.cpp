#include "SearchThread.h"

#include "FileGrep.h"

TSearchThread::TSearchThread(TFileGrep* grep) : Grep(grep) {
  SetFreeOnTerminate(true);
  SetPriority(grep->ThreadPriority());
  Start();
}

void TSearchThread::Execute() {
  Synchronize(&TSearchThread::RunSearch);
}

void TSearchThread::RunSearch() {
  if (Grep != nullptr) {
    Grep->DoSearch(Grep->RunParameters());
  }
}
