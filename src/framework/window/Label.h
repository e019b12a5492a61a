#pragma once

#include "WinControl.h"

// A line of static text. It reports mouse activity, so that it can carry a tooltip.
class TLabel : public TWinControl {
public:
  TLabel(TComponent* owner, HWND parent)
      : TWinControl(owner, "Static", SS_LEFT | SS_NOTIFY, parent) {}
};
