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

std::string AsciiUpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}
