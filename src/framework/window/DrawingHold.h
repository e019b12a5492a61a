#pragma once

#include <windows.h>

// Draws a burst of changes to a control (rows found by a search, the folder it is in)
// together, a moment after the first of them, rather than each at once: under Wine a change
// drawn on its own costs a millisecond or more. The hold is a timer of the control's own,
// which its window procedure hands to ReleasedBy.
class TDrawingHold {
public:
  explicit TDrawingHold(UINT delayMs) : FDelayMs(delayMs) {}

  // Holds the control's drawing, unless it is held already.
  void Hold(HWND control);
  // Ends the hold and draws the control whole.
  void Release(HWND control);
  // True when the message is the hold's timer; the hold has then ended.
  bool ReleasedBy(HWND control, UINT message, WPARAM wParam);

private:
  const UINT FDelayMs;
  bool FHeld = false;
};
