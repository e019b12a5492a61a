#pragma once

#include "UniqueHandle.h"

#include <shlobj.h>

// A window's registration for the shell's change announcements (SHChangeNotifyRegister).
struct TShellNotificationTraits {
  using THandleType = ULONG;
  static ULONG Invalid() { return 0; }
  static void Close(ULONG registration) { SHChangeNotifyDeregister(registration); }
};
using TShellNotification = TUniqueHandle<TShellNotificationTraits>;
