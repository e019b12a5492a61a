#pragma once

#include "Thread.h"

class TFileGrep;

// The worker of a threaded run. It does no searching: its body hands the run to the UI
// thread and waits until the run is over, then the thread frees itself.
class TSearchThread final : public TThread {
public:
  explicit TSearchThread(TFileGrep* grep);

protected:
  void Execute() override;

private:
  friend class TFileGrep;

  void RunSearch();

  // Cleared by the component when it is destroyed before the run has begun.
  TFileGrep* Grep;
};
