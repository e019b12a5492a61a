#pragma once

#include "FileGrepTypes.h"

#include <windows.h>

#include <cstdint>
#include <string>

// An entry's three times in local time, as the date filter tests them and the found record
// shows them.
struct TLocalTimes {
  FILETIME Creation;
  FILETIME LastAccess;
  FILETIME LastWrite;
};
TLocalTimes LocalTimesOf(const WIN32_FIND_DATAA& entry);

// The entry's size, all 64 bits of it.
std::int64_t EntrySize(const WIN32_FIND_DATAA& entry);

// -1, 0 or 1 as the file time is earlier than, equal to or later than the bound; both count
// as local times.
int CompareFileDate(const FILETIME& time, TDateTime bound);

// True when the attributes hold every one that the mask selects; a mask with all six bits
// set, or with none, accepts everything.
bool HasSelectedAttributes(DWORD attributes, DWORD mask);

// True when the times lie within every bound, both ends included, that lookFor selects and
// that is above 0.
bool WithinDateBounds(const TLocalTimes& times, TLookFors lookFor,
                      const std::array<TDateTime, DateBoundCount>& bounds);

// Appends the size, the three times and the attribute letters that the fields select, in
// that order; a delimiter follows each but the letters.
void AppendExtraFields(std::string& record, const WIN32_FIND_DATAA& entry, const TLocalTimes& times,
                       TReturnValues fields, char delimiter);
