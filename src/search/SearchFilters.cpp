#include "SearchFilters.h"

#include "FileAttributes.h"
#include "FormatDateTime.h"

#include <utility>

namespace {

FILETIME LocalTime(const FILETIME& time) {
  FILETIME local;
  return FileTimeToLocalFileTime(&time, &local) ? local : time;
}

} // namespace

TLocalTimes LocalTimesOf(const WIN32_FIND_DATAA& entry) {
  return {LocalTime(entry.ftCreationTime), LocalTime(entry.ftLastAccessTime),
          LocalTime(entry.ftLastWriteTime)};
}

std::int64_t EntrySize(const WIN32_FIND_DATAA& entry) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) |
                                   entry.nFileSizeLow);
}

int CompareFileDate(const FILETIME& time, TDateTime bound) {
  const TDateTimeParts parts = DecodeDateTime(bound);
  const SYSTEMTIME system = {static_cast<WORD>(parts.Year),
                             static_cast<WORD>(parts.Month),
                             0,
                             static_cast<WORD>(parts.Day),
                             static_cast<WORD>(parts.Hour),
                             static_cast<WORD>(parts.Minute),
                             static_cast<WORD>(parts.Second),
                             static_cast<WORD>(parts.Millisecond)};
  FILETIME boundTime;
  if (!SystemTimeToFileTime(&system, &boundTime)) {
    return 1; // a bound before 1601 lies before every file time
  }
  return CompareFileTime(&time, &boundTime);
}

bool HasSelectedAttributes(DWORD attributes, DWORD mask) {
  if ((mask & DosFileAttributes) == DosFileAttributes) {
    return true;
  }
  const DWORD required = mask & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
  return (attributes & required) == required;
}

bool WithinDateBounds(const TLocalTimes& times, TLookFors lookFor,
                      const std::array<TDateTime, DateBoundCount>& bounds) {
  const auto applies = [&](TLookFor bound) { return lookFor.Contains(bound) && bounds[bound] > 0; };
  // Bounds come in pairs, after and before, for the creation, access and write times.
  const FILETIME* const tested[] = {&times.Creation, &times.LastAccess, &times.LastWrite};
  for (int pair = 0; pair < 3; ++pair) {
    const auto after = TLookFor(2 * pair);
    const auto before = TLookFor(2 * pair + 1);
    if (applies(before) && CompareFileDate(*tested[pair], bounds[before]) > 0) {
      return false;
    }
    if (applies(after) && CompareFileDate(*tested[pair], bounds[after]) < 0) {
      return false;
    }
  }
  return true;
}

void AppendExtraFields(std::string& record, const WIN32_FIND_DATAA& entry, const TLocalTimes& times,
                       TReturnValues fields, char delimiter) {
  if (fields.Contains(rvSize)) {
    record += std::to_string(EntrySize(entry));
    record += delimiter;
  }
  const std::pair<TReturnValue, const FILETIME*> dates[] = {{rvCreateDate, &times.Creation},
                                                            {rvLastAccessDate, &times.LastAccess},
                                                            {rvLastModifiedDate, &times.LastWrite}};
  for (const auto& [field, time] : dates) {
    if (fields.Contains(field)) {
      record += FormatFileTime(*time);
      record += delimiter;
    }
  }
  if (fields.Contains(rvAttr)) {
    static const std::pair<DWORD, char> letters[] = {
        {FILE_ATTRIBUTE_READONLY, 'r'},  {FILE_ATTRIBUTE_ARCHIVE, 'a'},
        {FILE_ATTRIBUTE_SYSTEM, 's'},    {FileAttributeVolumeLabel, 'v'},
        {FILE_ATTRIBUTE_DIRECTORY, 'd'}, {FILE_ATTRIBUTE_HIDDEN, 'h'}};
    for (const auto& [attribute, letter] : letters) {
      if ((entry.dwFileAttributes & attribute) != 0) {
        record += letter;
      }
    }
  }
}
