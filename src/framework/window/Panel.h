#pragma once

#include "WinControl.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// An area that holds other controls, framed by two bevels, by default a lowered outer and a
// raised inner one. Tab moves through the controls inside it as through the form's own.
class TPanel : public TWinControl {
public:
  TPanel(TComponent* owner, HWND parent);

  void SetBevels(TPanelBevel outer, TPanelBevel inner);

protected:
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  HFONT FFont;
  TPanelBevel FBevelOuter = bvLowered;
  TPanelBevel FBevelInner = bvRaised;
};
