#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What this thread sends to its dialog boxes that a folder-browse dialog acts on, seen by a
// hook before the dialog sees it: "ENABLEOK 0", "STATUS <text>", "SELECT <path text>",
// "SELECT LIST", "CAPTION <text>".
class TBrowseMessageLog {
public:
  TBrowseMessageLog();
  ~TBrowseMessageLog();
  TBrowseMessageLog(const TBrowseMessageLog&) = delete;
  TBrowseMessageLog& operator=(const TBrowseMessageLog&) = delete;

  const std::vector<std::string>& Messages() const { return FMessages; }
  void Clear() { FMessages.clear(); }

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

  HHOOK FHook;
  std::vector<std::string> FMessages;
};

// Selects the folder in an open folder-browse dialog, again until the dialog shows it
// selected twice running: opened the first time, Wine's dialog may still be making its own
// first selection after the caller's.
void SelectInPicker(HWND dialog, const std::string& folder);

// The texts that begin with the prefix, in order.
std::vector<std::string> Starting(const std::vector<std::string>& texts, const char* prefix);
// The width of the text in the control's font, as the control would draw it.
int TextWidthIn(HWND control, const std::string& text);
