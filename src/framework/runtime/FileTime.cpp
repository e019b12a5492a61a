#include "FileTime.h"

namespace {
constexpr TDateTime FirstOf1900 = 2.0;
}

TDateTime FileTimeToDateTime(const FILETIME& time) {
  SYSTEMTIME system;
  if (!FileTimeToSystemTime(&time, &system) || system.wYear < 1 || system.wYear > 9998) {
    return FirstOf1900;
  }
  TDateTime result;
  const TDateTimeParts parts{system.wYear,   system.wMonth,  system.wDay,         system.wHour,
                             system.wMinute, system.wSecond, system.wMilliseconds};
  return TryEncodeDateTime(parts, result) ? result : FirstOf1900;
}
