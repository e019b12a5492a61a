#pragma once

#include <windows.h>

#include <algorithm>
#include <limits>

// Seconds that the work takes by the performance counter.
template <typename TWork>
double SecondsOf(TWork&& work) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// The shortest of several timings: other processes on the machine only ever add time.
class TBestTime {
public:
  void Add(double seconds) { FSeconds = std::min(FSeconds, seconds); }
  double Seconds() const { return FSeconds; }

private:
  double FSeconds = std::numeric_limits<double>::infinity();
};
