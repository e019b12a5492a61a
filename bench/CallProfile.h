#pragma once

#include <windows.h>

// Counts and times the system calls that the main window makes on the UI thread while a
// profiled search runs: the walk's and the facts' file calls, the version and shell queries,
// the messages to the list view and the message handling between rows. Only calls nested in
// the message handling that carries the search are counted, so the caller's own loop is not.
// Times are exclusive: a call's time leaves out the counted calls made within it.
class TCallProfile {
public:
  // listView and statusBar are the windows whose messages are told apart from the rest.
  TCallProfile(HWND listView, HWND statusBar);
  ~TCallProfile();
  TCallProfile(const TCallProfile&) = delete;
  TCallProfile& operator=(const TCallProfile&) = delete;

  // Prints each kind of call per row, and the rest of the run's time.
  void Print(int rows, double runSeconds) const;
};
