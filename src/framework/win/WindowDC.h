#pragma once

#include <windows.h>

// A window's device context with a font selected into it, from construction to destruction;
// the context's own font is put back before the context is released.
class TWindowDC {
public:
  TWindowDC(HWND window, HFONT font) : FWindow(window), FDC(GetDC(window)) {
    if (FDC != nullptr && font != nullptr) {
      FPrevious = SelectObject(FDC, font);
    }
  }
  ~TWindowDC() {
    if (FDC == nullptr) {
      return;
    }
    if (FPrevious != nullptr) {
      SelectObject(FDC, FPrevious);
    }
    ReleaseDC(FWindow, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;

  HDC get() const { return FDC; }

private:
  HWND FWindow;
  HDC FDC;
  HGDIOBJ FPrevious = nullptr;
};
