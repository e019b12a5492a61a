#include "ToolTips.h"

#include "ComboBox.h"

#include <commctrl.h>

TToolTips::TToolTips(TComponent* owner, HWND form)
    : TWinControl(owner, TOOLTIPS_CLASSA, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, form,
                  WS_EX_TOPMOST) {
  // Room for the texts that end in a line break.
  SendMessageA(Handle(), TTM_SETMAXTIPWIDTH, 0, 400);
}

void TToolTips::AddTool(const TWinControl& control, const std::string& text) {
  AddWindow(control.Handle(), text);
  // The mouse over a combo box is over the edit box inside it.
  if (const auto* combo = dynamic_cast<const TComboBox*>(&control)) {
    AddWindow(combo->EditHandle(), text);
  }
}

void TToolTips::AddWindow(HWND window, const std::string& text) {
  TTTOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(window);
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(Handle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string TToolTips::ToolText(HWND window) const {
  char text[1024] = {};
  TTTOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(window);
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = text;
  SendMessageA(Handle(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}
