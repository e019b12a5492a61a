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

void TPanel::SetBevels(TPanelBevel outer, TPanelBevel inner) {
  FBevelOuter = outer;
  FBevelInner = inner;
  InvalidateRect(Handle(), nullptr, TRUE);
}

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
    static const UINT outerEdges[] = {0, BDR_SUNKENOUTER, BDR_RAISEDOUTER};
    static const UINT innerEdges[] = {0, BDR_SUNKENINNER, BDR_RAISEDINNER};
    DrawEdge(dc, &rect, outerEdges[FBevelOuter] | innerEdges[FBevelInner], BF_RECT);
    EndPaint(Handle(), &paint);
    return 0;
  }
  default:
    return DefaultHandler(message, wParam, lParam);
  }
}
