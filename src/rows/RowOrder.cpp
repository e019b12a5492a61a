#include "RowOrder.h"

#include <windows.h>

#include <algorithm>

int CompareCellTexts(const std::string& first, const std::string& second) {
  return lstrcmpA(first.c_str(), second.c_str());
}

std::string CellSortKey(const std::string& text) {
  // lstrcmpA compares by the thread's locale, with no flags.
  const LCID locale = GetThreadLocale();
  const int size = LCMapStringA(locale, LCMAP_SORTKEY, text.c_str(), -1, nullptr, 0);
  std::string key(static_cast<std::size_t>(std::max(size, 0)), '\0');
  if (size > 0) {
    LCMapStringA(locale, LCMAP_SORTKEY, text.c_str(), -1, key.data(), size);
  }
  return key;
}
