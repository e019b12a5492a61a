#include "Label.h"

#include "Application.h"
#include "WindowDC.h"

namespace {
DWORD AlignmentStyle(TAlignment alignment) {
  static const DWORD styles[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
  return styles[alignment];
}
} // namespace

TLabel::TLabel(TComponent* owner, HWND parent, TAlignment alignment)
    : TWinControl(owner, "Static", AlignmentStyle(alignment) | SS_NOTIFY, parent),
      FAlignment(alignment) {}

void TLabel::SetFont(const char* face, int pixelHeight, TFontStyles styles) {
  FFont = CreatePixelFont(face, pixelHeight, styles);
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), TRUE);
  if (FAutoSize) {
    FitToText();
  }
}

void TLabel::SetFontColor(COLORREF color) {
  FFontColor = color;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TLabel::SetTransparent(bool transparent) {
  FTransparent = transparent;
  RedrawBeneath();
}

void TLabel::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  if (autoSize) {
    FitToText();
  }
}

void TLabel::FitToText() {
  const std::string text = Text();
  RECT extent = {};
  {
    const TWindowDC dc(Handle(), reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    DrawTextA(dc.get(), text.c_str(), -1, &extent, DT_CALCRECT | DT_EXPANDTABS);
  }
  TBounds bounds = Bounds();
  const int spare = bounds.Width - extent.right;
  bounds.Left += FAlignment == taRightJustify ? spare : FAlignment == taCenter ? spare / 2 : 0;
  bounds.Width = extent.right;
  bounds.Height = extent.bottom;
  SetBounds(bounds);
}

void TLabel::RedrawBeneath() {
  const TBounds bounds = Bounds();
  const RECT place = {bounds.Left, bounds.Top, bounds.Left + bounds.Width,
                      bounds.Top + bounds.Height};
  RedrawWindow(GetParent(Handle()), &place, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT TLabel::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SETCURSOR:
    if (FCursor != crDefault && LOWORD(lParam) == HTCLIENT) {
      ::SetCursor(Application->Cursors().Cursor(FCursor));
      return TRUE;
    }
    break;
  case WM_SETTEXT: {
    if (FTransparent) {
      RedrawBeneath();
    }
    const LRESULT result = DefaultHandler(message, wParam, lParam);
    if (FAutoSize) {
      FitToText();
    }
    if (FTransparent) {
      RedrawBeneath();
    }
    return result;
  }
  default:
    break;
  }
  return DefaultHandler(message, wParam, lParam);
}

void TLabel::CommandNotification(WORD code, WORD) {
  if (code == STN_CLICKED) {
    OnClick(this);
  }
}

HBRUSH TLabel::ControlColor(HDC dc) {
  if (!FFontColor && !FTransparent) {
    return nullptr;
  }
  SetTextColor(dc, FFontColor.value_or(GetSysColor(COLOR_WINDOWTEXT)));
  if (FTransparent) {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}
