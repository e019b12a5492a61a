#pragma once

// A date-time number: days since 30 December 1899, 00:00, with the time of day as the
// fraction.
using TDateTime = double;

struct TDateTimeParts {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

// False, leaving result alone, when a part is out of its range (February 30, hour 24, ...).
bool TryEncodeDateTime(const TDateTimeParts& parts, TDateTime& result);
// Dates before 30 December 1899 are negative numbers whose fraction still counts forward
// from midnight, as the number's sign is that of the day alone.
TDateTimeParts DecodeDateTime(TDateTime value);
