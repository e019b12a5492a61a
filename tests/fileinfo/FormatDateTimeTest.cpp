#include "VersionFixtures.h"

#include "FileTime.h"
#include "FormatDateTime.h"

#include <gtest/gtest.h>

namespace {

// A Monday afternoon.
const TDateTime Afternoon = DateTimeOf({2024, 3, 4, 13, 5, 9});

TFormatSettings TwelveHourSettings(bool markerFirst, bool leadingZero = false,
                                   const char* dateSeparator = "/") {
  return {.ShortDateFormat = "M/d/yyyy",
          .LongDateFormat = "dddd, MMMM d, yyyy",
          .DateSeparator = dateSeparator,
          .TimeSeparator = dateSeparator[0] == '/' ? ":" : ".",
          .ShortTimeFormat = TimePicture(leadingZero, true, markerFirst, false),
          .LongTimeFormat = TimePicture(leadingZero, true, markerFirst, true)};
}

TEST(FormatDateTimeTest, DisplayTextShowsTheTimeUnlessItIsMidnight) {
  const TFormatSettings after = TwelveHourSettings(false);
  EXPECT_EQ(DateTimeToStr(DateTimeOf({2024, 3, 4}), after), "3/4/2024");
  EXPECT_EQ(DateTimeToStr(DateTimeOf({2024, 3, 4, 0, 0, 0, 500}), after), "3/4/2024");
  EXPECT_EQ(DateTimeToStr(DateTimeOf({2024, 3, 4, 0, 0, 1}), after), "3/4/2024 12:00:01 AM");
  EXPECT_EQ(DateTimeToStr(Afternoon, after), "3/4/2024 1:05:09 PM");
  EXPECT_EQ(DateTimeToStr(Afternoon, TwelveHourSettings(true, true)), "3/4/2024 PM 01:05:09");

  const TFormatSettings european{.ShortDateFormat = "dd/MM/yyyy",
                                 .DateSeparator = ".",
                                 .TimeSeparator = "-",
                                 .LongTimeFormat = TimePicture(true, false, false, true)};
  EXPECT_EQ(DateTimeToStr(DateTimeOf({1999, 12, 31, 7, 8, 9}), european), "31.12.1999 07-08-09");
  EXPECT_EQ(DateTimeToStr(DateTimeOf({1850, 1, 2, 3, 4, 5}), european), "02.01.1850 03-04-05");
}

TEST(FormatDateTimeTest, FollowsThePatternLanguage) {
  TFormatSettings s = TwelveHourSettings(false, false, "-");
  const auto format = [&](const std::string& pattern) {
    return FormatDateTime(pattern, Afternoon, s);
  };
  EXPECT_EQ(format("d dd ddd dddd ddddd"), "4 04 Mon Monday 3-4-2024");
  EXPECT_EQ(format("dddddd"), "Monday, March 4, 2024");
  EXPECT_EQ(format("m mm mmm mmmm yy yyyy"), "3 03 Mar March 24 2024");
  EXPECT_EQ(format("h:m hh mmmm h 'x' mm, d m"), "13.5 13 05 13 x 05, 4 3");
  EXPECT_EQ(format("n nn s ss / :"), "5 05 9 09 - .");
  EXPECT_EQ(format("'dd' \"mm\" 'open"), "dd mm open");
  EXPECT_EQ(format("h AM/PM|h am/pm|h a/p|hh ampm"), "1 PM|1 pm|1 p|01 PM");
  EXPECT_EQ(format("h 'am/pm'|h h am/pm|AMPM h"), "13 am/pm|13 1 pm|PM 1");
  EXPECT_EQ(format("aaa aaaa|h aaaam/pm"), "Mon Monday|13 Monday3-p3");
  EXPECT_EQ(format("t|tt|c"), "1.05 PM|1.05.09 PM|3-4-2024 1.05.09 PM");
  EXPECT_EQ(format(""), format("c"));
  EXPECT_EQ(FormatDateTime("c", DateTimeOf({2024, 3, 4}), s), "3-4-2024");
  EXPECT_EQ(format(std::string(300, 'x')), std::string(256, 'x'));

  // A picture named inside a named picture is not expanded.
  s.ShortTimeFormat = "[t c ddddd] h";
  EXPECT_EQ(format("t"), "[   ] 13");
}

TEST(FormatDateTimeTest, ReadsTheLocalesConventions) {
  const TFormatSettings us = LocaleFormatSettings(MAKELCID(0x0409, SORT_DEFAULT));
  EXPECT_EQ(us.ShortDateFormat, "M/d/yyyy");
  EXPECT_EQ(us.LongTimeFormat, "h:mm:ss AMPM");
  EXPECT_EQ(us.ShortTimeFormat, "h:mm AMPM");
  EXPECT_EQ(us.TimePMString, "PM");
  EXPECT_EQ(us.LongDayNames[0], "Sunday");
  EXPECT_EQ(us.ShortDayNames[1], "Mon");
  EXPECT_EQ(us.LongMonthNames[11], "December");

  const TFormatSettings korean = LocaleFormatSettings(MAKELCID(0x0412, SORT_DEFAULT));
  EXPECT_EQ(korean.LongTimeFormat, "AMPM h:mm:ss");
  const TFormatSettings german = LocaleFormatSettings(MAKELCID(0x0407, SORT_DEFAULT));
  EXPECT_EQ(german.LongTimeFormat, "hh:mm:ss");
  EXPECT_EQ(german.DateSeparator, ".");
}

FILETIME FileTimeOf(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0,
                    WORD second = 0) {
  const SYSTEMTIME system = {year, month, 0, day, hour, minute, second, 0};
  FILETIME time = {};
  EXPECT_TRUE(SystemTimeToFileTime(&system, &time));
  return time;
}

TEST(FormatDateTimeTest, FileTimesShowInTheLongDatePattern) {
  TFormatSettings s = TwelveHourSettings(false);
  const FILETIME afternoon = FileTimeOf(2024, 3, 4, 13, 5, 9);
  EXPECT_EQ(FormatFileTime(afternoon, s), "Monday, March 4, 2024");
  s.LongDateFormat = "yyyy-mm-dd hh:nn:ss AM/PM";
  EXPECT_EQ(FormatFileTime(afternoon, s), "2024-03-04 01:05:09 PM");
  // File times go on far beyond the years of a date-time number.
  s.LongDateFormat = "dddd d mmmm yyyy";
  EXPECT_EQ(FormatFileTime(FileTimeOf(30000, 1, 1), s), "Saturday 1 January 30000");
  s.LongDateFormat = "";
  EXPECT_EQ(FormatFileTime(afternoon, s), "3/4/2024 1:05:09 PM");
  EXPECT_EQ(FormatFileTime({MAXDWORD, MAXDWORD}, s), "");
}

TEST(FormatDateTimeTest, FileTimesOutsideTheCalendarShowAs1900) {
  FILETIME time = LocalFileTime({2010, 10, 10, 10, 10, 10});
  FileTimeToLocalFileTime(&time, &time);
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(time), DateTimeOf({2010, 10, 10, 10, 10, 10}));
  EXPECT_DOUBLE_EQ(FileTimeToDateTime({0, 0}), DateTimeOf({1601, 1, 1}));
  EXPECT_DOUBLE_EQ(FileTimeToDateTime({MAXDWORD, MAXDWORD}), DateTimeOf({1900, 1, 1}));
}

} // namespace
