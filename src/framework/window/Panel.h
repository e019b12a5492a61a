#pragma once

#include "WinControl.h"

// A raised area that holds other controls, framed by a lowered outer and a raised inner
// bevel. Tab moves through the controls inside it as through the form's own.
class TPanel : public TWinControl {
public:
  TPanel(TComponent* owner, HWND parent);

protected:
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  HFONT FFont;
};
