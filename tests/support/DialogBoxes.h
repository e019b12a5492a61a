#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What one dialog box showed.
struct TMessageBoxSeen {
  std::string Caption;
  std::string Text; // a message box's message
  bool ErrorIcon = false;
  std::vector<int> Buttons; // the identifiers of its visible buttons
};

// The dialog box of this thread that waits for the user: a visible, enabled "#32770" window
// (an owner that a box of its own has disabled is not waiting) other than skipped, or nullptr.
HWND WaitingDialog(HWND skipped = nullptr);
TMessageBoxSeen ReadDialogBox(HWND dialog);
std::string DialogItemText(HWND dialog, int id);
