#include "Strings.h"

void TStrings::Assign(const TStrings& source) {
  if (&source == this) {
    return;
  }
  Clear();
  for (int i = 0; i < source.Count(); ++i) {
    Add(source.Get(i));
  }
}

int TStringList::Add(const std::string& s) {
  FItems.push_back(s);
  return Count() - 1;
}
