#include "ShellText.h"

#include "ItemIdList.h"

#include <cstring>

std::string StrRetText(STRRET& value, LPCITEMIDLIST item) {
  switch (value.uType) {
  case STRRET_WSTR: {
    std::string text = AnsiFromWide(value.pOleStr);
    if (const TComPtr<IMalloc> malloc = ShellMalloc()) {
      malloc->Free(value.pOleStr);
    }
    value.pOleStr = nullptr;
    return text;
  }
  case STRRET_OFFSET: {
    // The text lies in the item's first record; it ends there at the latest.
    if (item == nullptr || value.uOffset >= item->mkid.cb) {
      return {};
    }
    const char* text = reinterpret_cast<const char*>(item) + value.uOffset;
    return std::string(text, strnlen(text, item->mkid.cb - value.uOffset));
  }
  case STRRET_CSTR:
    return std::string(value.cStr, strnlen(value.cStr, sizeof value.cStr));
  default:
    return {};
  }
}
