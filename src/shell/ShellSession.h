#pragma once

#include "ComPtr.h"
#include "ItemIdList.h"
#include "OleSession.h"

#include <shlobj.h>

// The desktop's folder; empty when the shell gives none. Every folder the shell browser
// binds is reached from it.
TComPtr<IShellFolder> DesktopFolder();

// The shell as the program needs it for its whole life, set up on the UI thread before any
// window exists: OLE for the thread, the shell's allocator and the desktop folder. Without
// the allocator or the desktop the user is told "Cannot find Shell!".
class TShellSession {
public:
  TShellSession();
  TShellSession(const TShellSession&) = delete;
  TShellSession& operator=(const TShellSession&) = delete;

  // Whether the shell gave its allocator and desktop folder; the program ends when not.
  bool Available() const { return FAvailable; }

private:
  TOleSession FOle;
  // Held for the session's life and, coming after OLE, let go before it is uninitialised.
  TComPtr<IMalloc> FMalloc;
  TComPtr<IShellFolder> FDesktop;
  bool FAvailable;
};
