#include "DateTime.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr std::int64_t MillisecondsPerDay = 24LL * 60 * 60 * 1000;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1 January of year 1 to the given date, which counts as day 1.
std::int64_t DayNumber(int year, int month, int day) {
  const std::int64_t y = year - 1;
  std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) {
    days += DaysInMonth(year, m);
  }
  return days + day;
}

const std::int64_t DayNumberOfEpoch = DayNumber(1899, 12, 30);

} // namespace

bool TryEncodeDateTime(const TDateTimeParts& p, TDateTime& result) {
  if (p.Year < 1 || p.Year > 9999 || p.Month < 1 || p.Month > 12 || p.Day < 1 ||
      p.Day > DaysInMonth(p.Year, p.Month) || p.Hour < 0 || p.Hour > 23 || p.Minute < 0 ||
      p.Minute > 59 || p.Second < 0 || p.Second > 59 || p.Millisecond < 0 || p.Millisecond > 999) {
    return false;
  }
  const double days = static_cast<double>(DayNumber(p.Year, p.Month, p.Day) - DayNumberOfEpoch);
  const double time = ((p.Hour * 60.0 + p.Minute) * 60.0 + p.Second) * 1000.0 + p.Millisecond;
  const double fraction = time / MillisecondsPerDay;
  result = days < 0 ? days - fraction : days + fraction;
  return true;
}

TDateTimeParts DecodeDateTime(TDateTime value) {
  const double whole = std::trunc(value);
  std::int64_t ms = std::llround(std::fabs(value - whole) * MillisecondsPerDay);
  std::int64_t day = static_cast<std::int64_t>(whole) + DayNumberOfEpoch;
  if (ms >= MillisecondsPerDay) { // rounding carried into the next day
    ms -= MillisecondsPerDay;
    ++day;
  }

  TDateTimeParts parts;
  // Walk years by the 400-year cycle's average, then settle exactly.
  parts.Year = static_cast<int>(day / 365.2425) + 1;
  while (parts.Year > 1 && DayNumber(parts.Year, 1, 1) > day) {
    --parts.Year;
  }
  while (DayNumber(parts.Year + 1, 1, 1) <= day) {
    ++parts.Year;
  }
  std::int64_t remaining = day - DayNumber(parts.Year, 1, 1);
  parts.Month = 1;
  while (remaining >= DaysInMonth(parts.Year, parts.Month)) {
    remaining -= DaysInMonth(parts.Year, parts.Month);
    ++parts.Month;
  }
  parts.Day = static_cast<int>(remaining) + 1;
  parts.Hour = static_cast<int>(ms / 3600000);
  parts.Minute = static_cast<int>(ms / 60000 % 60);
  parts.Second = static_cast<int>(ms / 1000 % 60);
  parts.Millisecond = static_cast<int>(ms % 1000);
  return parts;
}
