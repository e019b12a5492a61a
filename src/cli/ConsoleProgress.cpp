#include "ConsoleProgress.h"

namespace {

constexpr ULONGLONG RedrawInterval = 100; // milliseconds

// The console's width less one column, so that the line never wraps.
std::size_t LineWidth(HANDLE console) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(console, &info) || info.dwSize.X < 20) {
    return 79;
  }
  return static_cast<std::size_t>(info.dwSize.X) - 1;
}

} // namespace

TConsoleProgress::TConsoleProgress(bool quiet) {
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (!quiet && error != INVALID_HANDLE_VALUE && GetConsoleMode(error, &mode)) {
    FConsole = error;
  }
}

void TConsoleProgress::Searching(const std::string& folder) {
  FFolder = folder;
  Redraw();
}

void TConsoleProgress::Found(std::size_t count) {
  FCount = count;
  Redraw();
}

void TConsoleProgress::Redraw() {
  // The tick count is read without a call to the system's server.
  const ULONGLONG now = GetTickCount64();
  if (FConsole == nullptr || (FLastDrawn != 0 && now - FLastDrawn < RedrawInterval)) {
    return;
  }
  FLastDrawn = now;
  std::string line = "Found: " + std::to_string(FCount) + "  " + FFolder;
  const std::size_t width = LineWidth(FConsole);
  if (line.size() > width) {
    // The folder's end says more than its start.
    line = "..." + line.substr(line.size() - (width - 3));
  }
  const std::size_t drawn = line.size();
  line.append(FDrawnWidth > drawn ? FDrawnWidth - drawn : 0, ' ');
  FDrawnWidth = drawn;
  line.insert(line.begin(), '\r');
  Write(line);
}

void TConsoleProgress::Clear() {
  if (FConsole == nullptr || FDrawnWidth == 0) {
    return;
  }
  std::string blank(FDrawnWidth + 2, ' ');
  blank.front() = '\r';
  blank.back() = '\r';
  Write(blank);
  FDrawnWidth = 0;
}

void TConsoleProgress::Write(const std::string& text) {
  DWORD written = 0;
  WriteConsoleA(FConsole, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
