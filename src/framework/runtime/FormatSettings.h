#pragma once

#include <windows.h>

#include <array>
#include <string>

// The locale's date and time conventions in the terms of the date pattern language of
// FormatDateTime: pictures, separators, the morning and afternoon texts and the names.
struct TFormatSettings {
  std::string ShortDateFormat = "m/d/yy";
  std::string LongDateFormat = "mmmm d, yyyy";
  std::string DateSeparator = "/";
  std::string TimeSeparator = ":";
  std::string ShortTimeFormat = "h:mm AMPM";
  std::string LongTimeFormat = "h:mm:ss AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};
  // Sunday first.
  std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
};

// The time pictures the locale asks for: the hour with or without a leading zero, minutes
// (and seconds for the long form), and the morning/afternoon marker of a 12-hour clock
// after or before the time.
std::string TimePicture(bool leadingZero, bool twelveHour, bool markerFirst, bool withSeconds);

// The settings of the locale; anything the locale does not answer keeps its default above.
TFormatSettings LocaleFormatSettings(LCID locale);

// The program's settings: read from the thread's locale on first use, kept afterwards.
const TFormatSettings& FormatSettings();
// Reads the settings again from the user's default locale, as the system asks with
// WM_WININICHANGE.
void RefreshFormatSettings();
