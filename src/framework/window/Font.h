#pragma once

#include "Set.h"
#include "UniqueHandle.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// A font of the face whose characters are the given number of pixels high (11 pixels are
// 8 points at 96 dots per inch), as the program's windows and controls use them.
TFontHandle CreatePixelFont(const char* face, int pixelHeight, TFontStyles styles = {});
