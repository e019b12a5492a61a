#pragma once

#include <windows.h>

#include <functional>

// Handles the UI thread's messages until the condition holds or the time is up; answers
// whether the condition holds. Waits only for messages or the next check, never sleeps.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
