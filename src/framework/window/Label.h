#pragma once

#include "Cursors.h"
#include "Event.h"
#include "Font.h"
#include "WinControl.h"

#include <optional>

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A line of static text. It reports mouse activity, so that it can carry a tooltip and be
// clicked.
class TLabel : public TWinControl {
public:
  TLabel(TComponent* owner, HWND parent, TAlignment alignment = taLeftJustify);

  // A font of its own instead of its parent's.
  void SetFont(const char* face, int pixelHeight, TFontStyles styles = {});
  void SetFontColor(COLORREF color);
  // Draws only its text, over what its parent shows beneath it.
  void SetTransparent(bool transparent);
  // Fits the label to its text in its font, now and whenever either changes, keeping the
  // edge its alignment names (a right-aligned label keeps its right edge).
  void SetAutoSize(bool autoSize);
  // The pointer shape over the label.
  void SetCursor(TCursor cursor) { FCursor = cursor; }

  TEvent<> OnClick;

protected:
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CommandNotification(WORD code, WORD id) override;
  HBRUSH ControlColor(HDC dc) override;

private:
  void FitToText();
  // A transparent label's old text stays on the screen until its parent paints over it.
  void RedrawBeneath();

  TAlignment FAlignment;
  TFontHandle FFont;
  std::optional<COLORREF> FFontColor;
  bool FTransparent = false;
  bool FAutoSize = false;
  TCursor FCursor = crDefault;
};
