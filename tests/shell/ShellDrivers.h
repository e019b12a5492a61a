#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What tests that act through the shell need of the system around them.

// The folder of this process whose Trash receives what the shell deletes, so that nothing
// reaches the user's own trash: Wine moves deleted files to $XDG_DATA_HOME/Trash, read when
// the shell deletes. Empty on Windows, whose recycle bin takes what the shell deletes.
std::string OwnTrash();

// Answers the context menu this thread shows next, from a timer its menu loop runs: records
// where it is and what it offers, then dismisses it with Esc or chooses the item whose text
// (its "&" aside) is the choice, with the keys a user presses. One at a time.
class TMenuScript {
public:
  explicit TMenuScript(std::string choice = {});
  ~TMenuScript();
  TMenuScript(const TMenuScript&) = delete;
  TMenuScript& operator=(const TMenuScript&) = delete;

  bool Shown() const { return FShown; }
  // The menu's top-left corner on the screen.
  POINT Place() const { return FPlace; }
  // The texts of its items, separators left out.
  const std::vector<std::string>& Items() const { return FItems; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void Answer(HWND menuWindow);

  std::string FChoice;
  bool FShown = false;
  POINT FPlace = {};
  std::vector<std::string> FItems;
  UINT_PTR FTimer;
};

// Text files open in Notepad while it lives. A system that has an association for them
// keeps it; one that has none (a new Wine prefix) gets one of the test's own, removed again.
class TTextAssociation {
public:
  TTextAssociation();
  ~TTextAssociation();
  TTextAssociation(const TTextAssociation&) = delete;
  TTextAssociation& operator=(const TTextAssociation&) = delete;

private:
  bool FAdded = false;
};

// The shell hides the extensions of file names while it lives, as a user can set it to.
class THiddenExtensions {
public:
  THiddenExtensions();
  ~THiddenExtensions();
  THiddenExtensions(const THiddenExtensions&) = delete;
  THiddenExtensions& operator=(const THiddenExtensions&) = delete;

private:
  bool FHadValue;
  DWORD FValue = 0;
};

// Waits for the Notepad window that shows the file, then closes it; answers whether it came.
bool CloseNotepadOn(const std::string& fileName);
