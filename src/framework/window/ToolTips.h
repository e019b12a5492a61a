#pragma once

#include "WinControl.h"

#include <string>

// The tooltips of a form's controls; only controls given a text here show one.
class TToolTips : public TWinControl {
public:
  TToolTips(TComponent* owner, HWND form);

  void AddTool(const TWinControl& control, const std::string& text);
  // The text shown for a window; empty when it has none.
  std::string ToolText(HWND window) const;

private:
  void AddWindow(HWND window, const std::string& text);
};
