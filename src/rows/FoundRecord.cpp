#include "FoundRecord.h"

#include "Paths.h"

void SplitFoundRecord(const std::string& found, std::string& directory, std::string& name) {
  // A name cannot hold a backslash, so the folder ends at the record's last one, whatever
  // ";" the folder or the name may hold; the name runs from there to the closing ";". In a
  // double-byte code page the second byte of a character may be that of "\".
  const std::size_t lastBackslash = LastDelimiter(found, "\\");
  const std::size_t nameStart = lastBackslash == std::string::npos ? 0 : lastBackslash + 1;
  directory = found.substr(0, nameStart);
  std::string rest = found.substr(nameStart);
  if (!rest.empty() && rest.front() == ';') {
    rest.erase(0, 1);
  }
  if (!rest.empty() && rest.back() == ';') {
    rest.pop_back();
  }
  name = rest;
}
