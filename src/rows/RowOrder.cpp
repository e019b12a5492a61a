#include "RowOrder.h"

#include <windows.h>

int CompareCellTexts(const std::string& first, const std::string& second) {
  return lstrcmpA(first.c_str(), second.c_str());
}
