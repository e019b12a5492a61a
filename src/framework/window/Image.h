#pragma once

#include "WinControl.h"

// A picture: an icon drawn centred in the control's place, over the parent's background.
class TImage : public TWinControl {
public:
  TImage(TComponent* owner, HWND parent)
      : TWinControl(owner, "Static", SS_ICON | SS_CENTERIMAGE, parent) {}

  // The icon stays its owner's: a shared one, as LoadIconA answers it, or one that outlives
  // the control.
  void SetIcon(HICON icon) {
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  HICON Icon() const { return reinterpret_cast<HICON>(SendMessageA(Handle(), STM_GETICON, 0, 0)); }

protected:
  // The icon's transparent pixels show the parent.
  HBRUSH ControlColor(HDC) override { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }
};
