#include "Pump.h"

#include "MainThread.h"

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (true) {
    MainThread->ProcessMessages();
    if (condition()) {
      return true;
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) {
      return false;
    }
    // Wakes for any message, sent ones from other threads included, or to check again.
    MsgWaitForMultipleObjectsEx(0, nullptr,
                                static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}
