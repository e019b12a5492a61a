#pragma once

#include "QuilletMain.h"

#include "Application.h"
#include "OleSession.h"

#include "support/SessionTest.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// The main window shown in an application of the test's own, as the program starts it.
class TMainWindowSession {
public:
  explicit TMainWindowSession(TErrorLog& errors);
  ~TMainWindowSession();
  TMainWindowSession(const TMainWindowSession&) = delete;
  TMainWindowSession& operator=(const TMainWindowSession&) = delete;

  TApplication& App() { return FApplication; }
  TfrmQuilletMain& Form() const { return *FForm; }
  const std::vector<std::string>& Errors() const { return FErrors.Messages(); }

private:
  TOleSession FOle; // the shell's file queries need it
  TErrorLog& FErrors;
  TApplication FApplication;
  TfrmQuilletMain* FForm;
};

// Watches one panel of the status bar through its messages: every text written there, in
// order. OnText runs right after each text is written; OnSearching runs inside the walk,
// each time the window shows a folder entered (panel 0).
class TStatusWatch {
public:
  explicit TStatusWatch(HWND statusBar, int panel = 0);
  ~TStatusWatch();
  TStatusWatch(const TStatusWatch&) = delete;
  TStatusWatch& operator=(const TStatusWatch&) = delete;

  const std::vector<std::string>& Texts() const { return FTexts; }
  int Count(const std::string& text) const;
  void Clear() { FTexts.clear(); }
  // The folders named by the "Searching " texts, in order.
  std::vector<std::string> Folders() const;

  std::function<void(const std::string& text)> OnText;
  std::function<void(const std::string& folder)> OnSearching;

private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data);

  HWND FBar;
  int FPanel;
  std::vector<std::string> FTexts;
};

// The window's position and size in the client coordinates of another window.
struct TPlace {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TPlace&) const = default;
};
std::ostream& operator<<(std::ostream& stream, const TPlace& place);
TPlace PlaceIn(HWND window, HWND reference);

class TTempTree;
// Five folders holding a few files, none of which the tests' masks match, and the paths
// under which the walk enters them.
void MakeSearchTree(const TTempTree& tree);
std::vector<std::string> SearchTreeFolders(const TTempTree& tree);
std::vector<std::string> Sorted(std::vector<std::string> texts);

std::string WindowText(HWND window);
// What the user types, at once.
void SetText(const TWinControl* control, const std::string& text);
std::string StatusText(const TfrmQuilletMain& form, int panel);
bool Playing(const TfrmQuilletMain& form);
// Whether this system's shell32 has a find-file clip that plays its first eight frames, as
// the window shows it while searching. Wine 8's has two frames.
bool FindFileClipPlays();

// A user's click on a push button or check box.
void Click(HWND button);
// A key pressed while the window has the focus; with alt, a system key as Alt makes it.
void PostKey(HWND window, WORD key, bool alt = false);
// One way a user closes the main window.
struct TCloseWay {
  const char* Name;
  void (*Request)(const TfrmQuilletMain& form);
};
// File, Exit; the Exit tool button; Alt+F4; the close box.
const std::vector<TCloseWay>& CloseWays();

// Takes the quit message that closing the main window leaves, so that later tests in the
// same process never see it; answers whether there was one.
bool TakeQuitMessage();
