#pragma once

#include <ole2.h>

// OLE for the calling thread, from construction to destruction; the shell's functions need
// it on the thread that calls them.
class TOleSession {
public:
  TOleSession() : FInitialized(SUCCEEDED(OleInitialize(nullptr))) {}
  ~TOleSession() {
    if (FInitialized) {
      OleUninitialize();
    }
  }
  TOleSession(const TOleSession&) = delete;
  TOleSession& operator=(const TOleSession&) = delete;

private:
  bool FInitialized;
};
