#include "Panel.h"

namespace {
const char PanelClass[] = "TPanel";

const char* RegisteredPanelClass() {
  TWindowRegistry::RegisterWindowClass(PanelClass, CS_HREDRAW | CS_VREDRAW, nullptr,
                                       GetSysColorBrush(COLOR_BTNFACE));
  return PanelClass;
}
} // namespace

TPanel::TPanel(TComponent* owner, HWND parent)
    : TWinControl(owner, TOwnClass{}, RegisteredPanelClass(), WS_CLIPSIBLINGS, parent,
                  WS_EX_CONTROLPARENT),
      FFont(ParentFont(parent)) {}

LRESULT TPanel::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_GETFONT:
    return reinterpret_cast<LRESULT>(FFont);
  case WM_SETFONT:
    FFont = reinterpret_cast<HFONT>(wParam);
    return 0;
  case WM_PAINT: {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(Handle(), &paint);
    RECT rect;
    GetClientRect(Handle(), &rect);
    DrawEdge(dc, &rect, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
    EndPaint(Handle(), &paint);
    return 0;
  }
  default:
    return DefaultHandler(message, wParam, lParam);
  }
}
