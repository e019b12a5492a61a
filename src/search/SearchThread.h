#pragma once

#include "Thread.h"

#include <atomic>

class TFileGrep;

// The worker of a threaded run. It does no searching: its body hands the run to the UI
// thread and waits until the run is over, then the thread frees itself. When the UI thread
// cannot take the run (its application's window is gone), the worker stays for the
// component, which ends the run as one that found nothing the next time it is used.
class TSearchThread final : public TThread {
public:
  explicit TSearchThread(TFileGrep* grep);

  // True once the body has ended without the run having been performed.
  bool Unrun() const { return FState == tsUnrun; }

protected:
  void Execute() override;

private:
  friend class TFileGrep;

  enum TState { tsPending, tsRan, tsComponentGone, tsUnrun };

  void RunSearch();
  // The component is being destroyed: false when the worker never ran its search and is the
  // component's to free, true when it frees itself.
  bool Release();

  TFileGrep* Grep;
  // Settled between this thread and the component's once: who frees this object.
  std::atomic<TState> FState{tsPending};
};
