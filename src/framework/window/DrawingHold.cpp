#include "DrawingHold.h"

namespace {
const UINT_PTR HoldTimer = 0x4B51;
} // namespace

void TDrawingHold::Hold(HWND control) {
  if (FHeld) {
    return;
  }
  FHeld = true;
  SendMessageA(control, WM_SETREDRAW, FALSE, 0);
  SetTimer(control, HoldTimer, FDelayMs, nullptr);
}

void TDrawingHold::Release(HWND control) {
  KillTimer(control, HoldTimer);
  FHeld = false;
  SendMessageA(control, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control, nullptr, TRUE);
}

bool TDrawingHold::ReleasedBy(HWND control, UINT message, WPARAM wParam) {
  if (message != WM_TIMER || wParam != HoldTimer || !FHeld) {
    return false;
  }
  Release(control);
  return true;
}
