#include "PumpGaps.h"

#include "ImportPatch.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace {

using TPeekMessage = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT, UINT);
TPeekMessage SystemPeek = nullptr;
LARGE_INTEGER LastPeek = {};
LONGLONG LongestGap = 0;

BOOL WINAPI TimedPeek(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  if (LastPeek.QuadPart != 0) {
    LongestGap = std::max(LongestGap, now.QuadPart - LastPeek.QuadPart);
  }
  const BOOL found = SystemPeek(message, window, first, last, remove);
  // A look at the queue may itself run sent messages and the display's events: that is
  // message handling, so the gap counts from its end.
  QueryPerformanceCounter(&LastPeek);
  return found;
}

} // namespace

TPumpGaps::TPumpGaps() {
  LastPeek.QuadPart = 0;
  LongestGap = 0;
  SystemPeek = reinterpret_cast<TPeekMessage>(
      PatchImport("PeekMessageA", reinterpret_cast<void*>(&TimedPeek)));
  if (SystemPeek == nullptr) {
    throw std::runtime_error("PeekMessageA is not imported");
  }
}

TPumpGaps::~TPumpGaps() {
  PatchImport("PeekMessageA", reinterpret_cast<void*>(SystemPeek));
}

double TPumpGaps::LongestMs() const {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(LongestGap) / static_cast<double>(frequency.QuadPart);
}
