#include "CoolBar.h"

#include <commctrl.h>

TCoolBar::TCoolBar(TComponent* owner, HWND parent)
    : TWinControl(owner, REBARCLASSNAMEA,
                  RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP | WS_CLIPCHILDREN |
                      WS_CLIPSIBLINGS,
                  parent) {}

void TCoolBar::AddBand(const TWinControl& child, int minHeight, int width) {
  REBARBANDINFOA band = {};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
  band.fStyle = RBBS_CHILDEDGE;
  band.hwndChild = child.Handle();
  band.cxMinChild = 0;
  band.cyMinChild = static_cast<UINT>(minHeight);
  band.cx = static_cast<UINT>(width);
  SendMessageA(Handle(), RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

int TCoolBar::BandCount() const {
  return static_cast<int>(SendMessageA(Handle(), RB_GETBANDCOUNT, 0, 0));
}
