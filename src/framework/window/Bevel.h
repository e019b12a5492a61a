#pragma once

#include "WinControl.h"

// A horizontal line sunk into its parent, 2 pixels high: a dark line above a light one.
class TBevel : public TWinControl {
public:
  TBevel(TComponent* owner, HWND parent) : TWinControl(owner, "Static", SS_ETCHEDHORZ, parent) {}
};
