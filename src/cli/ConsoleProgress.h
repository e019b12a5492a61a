#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The found count and the folder being searched on one line of the console's standard
// error, redrawn at most ten times a second; silent when standard error is no console or
// the user asked for quiet.
class TConsoleProgress {
public:
  explicit TConsoleProgress(bool quiet);
  ~TConsoleProgress() { Clear(); }
  TConsoleProgress(const TConsoleProgress&) = delete;
  TConsoleProgress& operator=(const TConsoleProgress&) = delete;

  void Searching(const std::string& folder);
  void Found(std::size_t count);
  // Takes the line away, so that messages and the prompt start on a clean one.
  void Clear();

private:
  void Redraw();
  void Write(const std::string& text);

  HANDLE FConsole = nullptr;
  std::string FFolder;
  std::size_t FCount = 0;
  ULONGLONG FLastDrawn = 0;
  std::size_t FDrawnWidth = 0;
};
