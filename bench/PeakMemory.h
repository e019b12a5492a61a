#pragma once

#include <windows.h>

// The most memory this process has held so far, in megabytes: its peak working set and its
// peak of committed private memory.
struct TPeakMemory {
  double WorkingSetMb = 0;
  double PagefileMb = 0;
};
TPeakMemory PeakMemory();
// The same of another process, while it runs.
TPeakMemory PeakMemory(HANDLE process);
