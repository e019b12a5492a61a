#pragma once

#include "DateTime.h"
#include "FormatSettings.h"

#include <windows.h>

#include <string>

// The date-time value written by the pattern: d, dd (day), ddd, dddd (weekday name), ddddd,
// dddddd (short, long date picture); m, mm (month, or minutes right after an hour), mmm,
// mmmm (month name); yy, yyyy (year); h, hh (hour, on the 12-hour clock when an am/pm marker
// follows, or precedes it since the hour before); n, nn, s, ss; t, tt (short, long time
// picture); c (short date, and the long time unless the value is at midnight); AM/PM, A/P,
// AMPM (the locale's marker text), aaa, aaaa (weekday name); e, g (era year and name of the
// alternative calendar); / and : (the separators); text in single or double quotes as it
// stands. Letters count without regard to case; every other character is copied. A picture
// named in the pattern is expanded, one named inside that one is not. An empty pattern
// counts as "c"; the result holds at most 256 characters.
std::string FormatDateTime(const std::string& pattern, TDateTime value,
                           const TFormatSettings& settings);
std::string FormatDateTime(const std::string& pattern, TDateTime value);
// The same for a date given by its parts, which may lie beyond the years a date-time number
// holds (a file time reaches year 30827).
std::string FormatDateTime(const std::string& pattern, const TDateTimeParts& parts,
                           const TFormatSettings& settings);

// The long date of a file time taken as it stands (no time-zone change); empty when the time
// makes no date.
std::string FormatFileTime(const FILETIME& time, const TFormatSettings& settings);
std::string FormatFileTime(const FILETIME& time);

// The "c" form: the short date, then a blank and the long time unless the time of day is
// exactly 00:00:00 (milliseconds do not count).
std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings);
std::string DateTimeToStr(TDateTime value);
