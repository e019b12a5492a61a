#pragma once

#include "ListViewDriver.h"
#include "MainWindowSession.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The first row whose directory and caption are these; -1 when there is none.
int RowOf(const TListView& list, const std::string& directory, const std::string& name);
// The image a sub-item cell shows.
int SubItemImage(const TListView& list, int row, int subItem);

// Types the folder and the masks, sets the subfolder choice, presses Find and handles
// messages until the search has ended; answers whether it did so in time.
bool SearchAndWait(TMainWindowSession& session, const std::string& folder, const std::string& masks,
                   bool subfolders);

// Reads the file's first byte. Linux (with relatime) moves the last-access time on the first
// read after a file is written, so reading once before a search keeps that time where both
// the search and a later check see it.
void ReadOnce(const std::string& path);
// Sets the file's last-write time to the local time given, leaving the other two.
void SetLastWriteTime(const std::string& path, WORD year, WORD month, WORD day);

// Watches panel 1 of the status bar, where the found count is shown: every text written
// there, with the number of rows the list held at that moment. OnText runs inside the
// found handler, right after the count is written.
class TFoundCountWatch {
public:
  TFoundCountWatch(HWND statusBar, const TListView& list);

  const std::vector<std::string>& Texts() const { return FWatch.Texts(); }
  const std::vector<int>& RowsAtText() const { return FRows; }
  void Clear();

  std::function<void(const std::string& text)> OnText;

private:
  TStatusWatch FWatch;
  std::vector<int> FRows;
};
