#include "Strings.h"

int TStringList::Add(const std::string& s) {
  FItems.push_back(s);
  return Count() - 1;
}
