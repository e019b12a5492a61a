#pragma once

#include <windows.h>

// Messages this program defines for its own windows.
enum : UINT {
  // Sent by another thread to the application window: lParam points to a TSyncRequest whose
  // procedure is to run on the UI thread.
  WM_KOV_SYNCHRONIZE = WM_APP + 1,
  // Posted by a thread whose body ended with an exception, so that the UI thread reports it.
  WM_KOV_THREAD_FAILED,
  // Sent by the shell to a window registered for its announcements of changed file
  // associations.
  WM_KOV_ASSOCIATIONS_CHANGED,
};
