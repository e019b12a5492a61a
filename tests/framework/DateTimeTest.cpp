#include "DateTime.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string Text(const TDateTimeParts& p) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", p.Year, p.Month, p.Day,
                p.Hour, p.Minute, p.Second, p.Millisecond);
  return text;
}

TDateTime Encode(const TDateTimeParts& parts) {
  TDateTime value = 1e9;
  EXPECT_TRUE(TryEncodeDateTime(parts, value)) << Text(parts);
  return value;
}

TEST(DateTimeTest, KnownNumbers) {
  EXPECT_EQ(Encode({1990, 1, 1}), 32874.0);
  EXPECT_EQ(Encode({1899, 12, 30}), 0.0);
  EXPECT_EQ(Encode({1899, 12, 29, 6}), -1.25);
  EXPECT_EQ(Encode({2000, 1, 1, 12}), 36526.5);
  EXPECT_EQ(Encode({1, 1, 1}), -693593.0);
  EXPECT_EQ(Encode({9999, 12, 31}), 2958465.0);

  EXPECT_EQ(Text(DecodeDateTime(32874.0)), "1990-01-01 00:00:00.000");
  EXPECT_EQ(Text(DecodeDateTime(0.0)), "1899-12-30 00:00:00.000");
  EXPECT_EQ(Text(DecodeDateTime(-1.25)), "1899-12-29 06:00:00.000");
  // Less than half a millisecond before midnight is the next day, never hour 24.
  EXPECT_EQ(Text(DecodeDateTime(32874.0 - 1e-9)), "1990-01-01 00:00:00.000");
  EXPECT_EQ(Text(DecodeDateTime(-1.999999999)), "1899-12-30 00:00:00.000");
}

// Every day from 1601 to 9999, as the system's FILETIME calendar counts them, encodes to its
// day number and decodes back with its time of day; the days of years 1 to 1600 are checked
// through the 400-year cycle of 146,097 days.
TEST(DateTimeTest, EveryDayRoundTripsAndCountsLikeTheSystemCalendar) {
  const ULONGLONG ticksPerDay = 864000000000ULL;
  const auto ticksOf = [](WORD year, WORD month, WORD day) {
    SYSTEMTIME time = {year, month, 0, day, 0, 0, 0, 0};
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return static_cast<ULONGLONG>(file.dwHighDateTime) << 32 | file.dwLowDateTime;
  };
  const ULONGLONG epoch = ticksOf(1899, 12, 30);
  const ULONGLONG last = ticksOf(9999, 12, 31);
  int failures = 0;
  for (ULONGLONG ticks = ticksOf(1601, 1, 1); ticks <= last && failures < 5; ticks += ticksPerDay) {
    const long long dayNumber = (static_cast<long long>(ticks) - static_cast<long long>(epoch)) /
                                static_cast<long long>(ticksPerDay);
    FILETIME file = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME date;
    FileTimeToSystemTime(&file, &date);
    const auto n = static_cast<unsigned long long>(dayNumber + 1000000);
    TDateTimeParts parts{date.wYear,
                         date.wMonth,
                         date.wDay,
                         static_cast<int>(n % 24),
                         static_cast<int>(n * 7 % 60),
                         static_cast<int>(n * 13 % 60),
                         static_cast<int>(n * 37 % 1000)};
    for (int cycles = 0; cycles <= (date.wYear <= 2000 ? 4 : 0); ++cycles) {
      parts.Year = date.wYear - 400 * cycles;
      TDateTime value = 0;
      const bool valid = TryEncodeDateTime(parts, value);
      const TDateTimeParts decoded = DecodeDateTime(value);
      if (!valid || std::trunc(value) != static_cast<double>(dayNumber - 146097LL * cycles) ||
          Text(decoded) != Text(parts)) {
        ADD_FAILURE() << Text(parts) << " encodes to " << value << ", decodes to " << Text(decoded);
        ++failures;
      }
    }
  }
}

TEST(DateTimeTest, InvalidPartsAreRejectedAndLeaveTheResultAlone) {
  const TDateTimeParts invalid[] = {
      {1900, 2, 29},
      {2100, 2, 29},
      {2023, 2, 29},
      {2000, 2, 30},
      {2024, 4, 31},
      {2024, 1, 32},
      {2024, 1, 0},
      {2024, 0, 1},
      {2024, 13, 1},
      {0, 12, 31},
      {10000, 1, 1},
      {2024, 1, 1, 24},
      {2024, 1, 1, -1},
      {2024, 1, 1, 0, 60},
      {2024, 1, 1, 0, 0, 60},
      {2024, 1, 1, 0, 0, 0, 1000},
      {2024, 1, 1, 0, 0, 0, -1},
  };
  for (const TDateTimeParts& parts : invalid) {
    TDateTime result = 1234.5;
    EXPECT_FALSE(TryEncodeDateTime(parts, result)) << Text(parts);
    EXPECT_EQ(result, 1234.5) << Text(parts);
  }
  for (const TDateTimeParts& parts : {TDateTimeParts{2000, 2, 29},
                                      {1600, 2, 29},
                                      {2024, 2, 29},
                                      {2024, 12, 31, 23, 59, 59, 999}}) {
    TDateTime result = 0;
    EXPECT_TRUE(TryEncodeDateTime(parts, result)) << Text(parts);
  }
}

} // namespace
