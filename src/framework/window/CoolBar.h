#pragma once

#include "WinControl.h"

// A rebar across the top of its parent, whose bands hold other controls.
class TCoolBar : public TWinControl {
public:
  TCoolBar(TComponent* owner, HWND parent);

  void AddBand(const TWinControl& child, int minHeight, int width);
  int BandCount() const;
};
