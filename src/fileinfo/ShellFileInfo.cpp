#include "ShellFileInfo.h"

#include <shellapi.h>

#include <cstring>

std::string ShellTypeName(const std::string& path) {
  SHFILEINFOA record = {};
  SHGetFileInfoA(path.c_str(), 0, &record, sizeof(record), SHGFI_TYPENAME);
  return std::string(record.szTypeName, strnlen(record.szTypeName, sizeof(record.szTypeName)));
}

int ShellIconIndex(const std::string& path) {
  // Index only: no icon handle is created. A failed call leaves the record zeroed.
  SHFILEINFOA record = {};
  SHGetFileInfoA(path.c_str(), 0, &record, sizeof(record), SHGFI_SYSICONINDEX);
  return record.iIcon;
}

HIMAGELIST ShellSmallImageList() {
  // Wine answers 0 without a record to fill, so one is passed although nothing reads it.
  SHFILEINFOA record = {};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("", 0, &record, sizeof(record), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}
