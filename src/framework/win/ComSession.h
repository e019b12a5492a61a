#pragma once

#include <objbase.h>

// COM for the calling thread, from construction to destruction. A thread where COM or OLE
// is already initialised is counted once more, and uninitialised as often as initialised.
class TComSession {
public:
  TComSession() : FInitialized(SUCCEEDED(CoInitialize(nullptr))) {}
  ~TComSession() {
    if (FInitialized) {
      CoUninitialize();
    }
  }
  TComSession(const TComSession&) = delete;
  TComSession& operator=(const TComSession&) = delete;

private:
  bool FInitialized;
};
