#include "Font.h"

TFontHandle CreatePixelFont(const char* face, int pixelHeight, TFontStyles styles) {
  // A negative height asks for the character height rather than the cell height.
  return TFontHandle(
      CreateFontA(-pixelHeight, 0, 0, 0, styles.Contains(fsBold) ? FW_BOLD : FW_NORMAL,
                  styles.Contains(fsItalic), styles.Contains(fsUnderline),
                  styles.Contains(fsStrikeOut), DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}
