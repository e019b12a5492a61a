#include "StatusBar.h"

#include <commctrl.h>

#include <vector>

TStatusBar::TStatusBar(TComponent* owner, HWND parent)
    : TWinControl(owner, STATUSCLASSNAMEA, SBARS_SIZEGRIP | CCS_BOTTOM, parent) {}

void TStatusBar::SetPanels(std::initializer_list<int> widths) {
  std::vector<int> edges;
  int right = 0;
  for (int width : widths) {
    right += width;
    edges.push_back(right);
  }
  SendMessageA(Handle(), SB_SIMPLE, FALSE, 0);
  SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

int TStatusBar::PanelCount() const {
  return static_cast<int>(SendMessageA(Handle(), SB_GETPARTS, 0, 0));
}

std::string TStatusBar::PanelText(int index) const {
  const LRESULT length = LOWORD(SendMessageA(Handle(), SB_GETTEXTLENGTHA, index, 0));
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(Handle(), SB_GETTEXTA, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  // Wine draws each new text at once, which costs a millisecond.
  FDrawing.Hold(Handle());
  SendMessageA(Handle(), SB_SETTEXTA, index, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::Realign() {
  SendMessageA(Handle(), WM_SIZE, 0, 0);
}

LRESULT TStatusBar::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (FDrawing.ReleasedBy(Handle(), message, wParam)) {
    return 0;
  }
  return DefaultHandler(message, wParam, lParam);
}
