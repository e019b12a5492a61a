#include "PeakMemory.h"

#include <windows.h>

#include <psapi.h>

TPeakMemory PeakMemory() {
  return PeakMemory(GetCurrentProcess());
}

TPeakMemory PeakMemory(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    return {};
  }
  const double megabyte = 1024.0 * 1024.0;
  return {static_cast<double>(counters.PeakWorkingSetSize) / megabyte,
          static_cast<double>(counters.PeakPagefileUsage) / megabyte};
}
