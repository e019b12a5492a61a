#pragma once

#include "DrawingHold.h"
#include "WinControl.h"

#include <initializer_list>

// A status bar of panels along the bottom of its parent.
class TStatusBar : public TWinControl {
public:
  TStatusBar(TComponent* owner, HWND parent);

  // The panels, by their widths from the left.
  void SetPanels(std::initializer_list<int> widths);
  int PanelCount() const;
  std::string PanelText(int index) const;
  void SetPanelText(int index, const std::string& text);
  // Fits the bar to its parent's bottom edge after the parent changed size.
  void Realign();

protected:
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // A search changes the texts once a folder; they are drawn ten times a second at most.
  TDrawingHold FDrawing{100};
};
