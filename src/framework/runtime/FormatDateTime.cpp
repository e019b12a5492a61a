#include "FormatDateTime.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::size_t MaxLength = 256;

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsLetter(char c) {
  return Upper(c) >= 'A' && Upper(c) <= 'Z';
}

bool StartsWith(std::string_view text, std::size_t at, std::string_view word) {
  if (text.size() - at < word.size()) {
    return false;
  }
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Upper(text[at + i]) != word[i]) {
      return false;
    }
  }
  return true;
}

// The marker at that place, if any: "AM/PM", "A/P" or "AMPM"; answers its length or 0.
std::size_t MarkerLength(std::string_view pattern, std::size_t at) {
  for (const std::string_view marker : {"AM/PM", "A/P", "AMPM"}) {
    if (StartsWith(pattern, at, marker)) {
      return marker.size();
    }
  }
  return 0;
}

// The weekday token "AAAA" or "AAA" at that place; answers its length or 0.
std::size_t WeekdayLength(std::string_view pattern, std::size_t at) {
  return StartsWith(pattern, at, "AAAA") ? 4 : StartsWith(pattern, at, "AAA") ? 3 : 0;
}

// The place of the quote that closes the one at that place, or the end of the pattern when
// the quote is never closed.
std::size_t ClosingQuote(std::string_view pattern, std::size_t at) {
  return std::min(pattern.find(pattern[at], at + 1), pattern.size());
}

// The hour token at hourAt..hourEnd is written on the 12-hour clock when a marker follows
// it, outside quotes, before the next hour token. A marker before it, since the hour token
// before, counts as well: locales that put the marker first ("AMPM h:mm:ss") need that.
bool TwelveHour(std::string_view pattern, std::size_t hourAt, std::size_t hourEnd) {
  bool markerBefore = false;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = Upper(pattern[i]);
    if (i == hourAt) {
      if (markerBefore) {
        return true;
      }
      i = hourEnd;
    } else if (c == '\'' || c == '"') {
      i = ClosingQuote(pattern, i) + 1;
    } else if (c == 'H') {
      if (i > hourAt) {
        return false;
      }
      markerBefore = false;
      ++i;
    } else if (const std::size_t marker = c == 'A' ? MarkerLength(pattern, i) : 0) {
      if (i > hourAt) {
        return true;
      }
      markerBefore = true;
      i += marker;
    } else if (c == 'A') {
      i += std::max<std::size_t>(WeekdayLength(pattern, i), 1); // read as the formatter reads it
    } else {
      ++i;
    }
  }
  return false;
}

std::string Number(int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", digits, value);
  return text;
}

// 0 for Sunday.
int DayOfWeek(int year, int month, int day) {
  static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) {
    --year;
  }
  return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

class TDateFormatter {
public:
  TDateFormatter(const TDateTimeParts& parts, const TFormatSettings& settings)
      : FParts(parts), FSettings(settings),
        FWeekDay(DayOfWeek(FParts.Year, FParts.Month, FParts.Day)) {}

  // Level 1 is the caller's pattern, level 2 a picture it names; deeper ones are dropped.
  void Append(std::string_view pattern, int level);
  const std::string& Result() const { return FResult; }

private:
  std::size_t AppendLetters(std::string_view pattern, std::size_t at, char token, std::size_t count,
                            int level);
  std::size_t AppendMarkerOrDay(std::string_view pattern, std::size_t at);
  void AppendEra(char token, std::size_t count);
  int Hour(bool twelveHour) const;
  bool AtMidnight() const { return FParts.Hour == 0 && FParts.Minute == 0 && FParts.Second == 0; }
  void Put(std::string_view text) {
    FResult.append(text.substr(0, MaxLength - std::min(MaxLength, FResult.size())));
  }

  const TDateTimeParts FParts;
  const TFormatSettings& FSettings;
  const int FWeekDay;
  std::string FResult;
};

void TDateFormatter::Append(std::string_view pattern, int level) {
  if (level > 2) {
    return;
  }
  char lastToken = ' ';
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '\'' || c == '"') {
      const std::size_t close = ClosingQuote(pattern, i);
      Put(pattern.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (!IsLetter(c)) {
      Put(c == '/'   ? std::string_view(FSettings.DateSeparator)
          : c == ':' ? std::string_view(FSettings.TimeSeparator)
                     : pattern.substr(i, 1));
      ++i;
    } else {
      std::size_t count = 1;
      while (i + count < pattern.size() && Upper(pattern[i + count]) == Upper(c)) {
        ++count;
      }
      char token = Upper(c);
      if (token == 'M' && lastToken == 'H') {
        token = 'N';
      }
      lastToken = token;
      i = AppendLetters(pattern, i, token, count, level);
    }
  }
}

// Writes the run of count letters at that place; answers where the pattern goes on.
std::size_t TDateFormatter::AppendLetters(std::string_view pattern, std::size_t at, char token,
                                          std::size_t count, int level) {
  switch (token) {
  case 'Y':
    Put(count <= 2 ? Number(FParts.Year % 100, 2) : Number(FParts.Year, 4));
    break;
  case 'M':
    if (count <= 2) {
      Put(Number(FParts.Month, static_cast<int>(count)));
    } else {
      const auto& names = count == 3 ? FSettings.ShortMonthNames : FSettings.LongMonthNames;
      Put(names[FParts.Month - 1]);
    }
    break;
  case 'D':
    if (count <= 2) {
      Put(Number(FParts.Day, static_cast<int>(count)));
    } else if (count <= 4) {
      Put((count == 3 ? FSettings.ShortDayNames : FSettings.LongDayNames)[FWeekDay]);
    } else {
      Append(count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat, level + 1);
    }
    break;
  case 'H':
    Put(Number(Hour(TwelveHour(pattern, at, at + count)), std::min(static_cast<int>(count), 2)));
    break;
  case 'N':
    Put(Number(FParts.Minute, std::min(static_cast<int>(count), 2)));
    break;
  case 'S':
    Put(Number(FParts.Second, std::min(static_cast<int>(count), 2)));
    break;
  case 'T':
    Append(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, level + 1);
    break;
  case 'C':
    Append(FSettings.ShortDateFormat, level + 1);
    if (!AtMidnight()) {
      Put(" ");
      Append(FSettings.LongTimeFormat, level + 1);
    }
    break;
  case 'A':
    return AppendMarkerOrDay(pattern, at);
  case 'E':
  case 'G':
    AppendEra(token, count);
    break;
  default:
    Put(pattern.substr(at, count));
    break;
  }
  return at + count;
}

// The a-tokens are read by their exact spelling rather than as a run of one letter.
std::size_t TDateFormatter::AppendMarkerOrDay(std::string_view pattern, std::size_t at) {
  const bool afternoon = FParts.Hour >= 12;
  if (StartsWith(pattern, at, "AM/PM")) {
    Put(pattern.substr(afternoon ? at + 3 : at, 2));
    return at + 5;
  }
  if (StartsWith(pattern, at, "A/P")) {
    Put(pattern.substr(afternoon ? at + 2 : at, 1));
    return at + 3;
  }
  if (StartsWith(pattern, at, "AMPM")) {
    Put(afternoon ? FSettings.TimePMString : FSettings.TimeAMString);
    return at + 4;
  }
  if (const std::size_t length = WeekdayLength(pattern, at)) {
    Put((length == 4 ? FSettings.LongDayNames : FSettings.ShortDayNames)[FWeekDay]);
    return at + length;
  }
  Put(pattern.substr(at, 1));
  return at + 1;
}

// The era year and era name come from the system's own date formatting with the thread
// locale's alternative calendar; where that calendar is the Gregorian one (as under Wine) the
// year and the Gregorian era name come out.
void TDateFormatter::AppendEra(char token, std::size_t count) {
  SYSTEMTIME date = {};
  date.wYear = static_cast<WORD>(FParts.Year);
  date.wMonth = static_cast<WORD>(FParts.Month);
  date.wDay = static_cast<WORD>(FParts.Day);
  date.wDayOfWeek = static_cast<WORD>(FWeekDay);
  const std::string picture(std::min<std::size_t>(count, 2), token == 'E' ? 'y' : 'g');
  char text[64];
  if (GetDateFormatA(GetThreadLocale(), DATE_USE_ALT_CALENDAR, &date, picture.c_str(), text,
                     sizeof text) > 0) {
    Put(text);
  }
}

int TDateFormatter::Hour(bool twelveHour) const {
  if (!twelveHour) {
    return FParts.Hour;
  }
  const int hour = FParts.Hour % 12;
  return hour == 0 ? 12 : hour;
}

} // namespace

std::string FormatDateTime(const std::string& pattern, const TDateTimeParts& parts,
                           const TFormatSettings& settings) {
  TDateFormatter formatter(parts, settings);
  formatter.Append(pattern.empty() ? std::string_view("C") : std::string_view(pattern), 1);
  return formatter.Result();
}

std::string FormatDateTime(const std::string& pattern, TDateTime value,
                           const TFormatSettings& settings) {
  return FormatDateTime(pattern, DecodeDateTime(value), settings);
}

std::string FormatDateTime(const std::string& pattern, TDateTime value) {
  return FormatDateTime(pattern, value, FormatSettings());
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime("", value, settings);
}

std::string DateTimeToStr(TDateTime value) {
  return DateTimeToStr(value, FormatSettings());
}

std::string FormatFileTime(const FILETIME& time, const TFormatSettings& settings) {
  SYSTEMTIME system;
  if (!FileTimeToSystemTime(&time, &system)) {
    return {};
  }
  const TDateTimeParts parts{system.wYear,   system.wMonth,  system.wDay,         system.wHour,
                             system.wMinute, system.wSecond, system.wMilliseconds};
  return FormatDateTime(settings.LongDateFormat, parts, settings);
}

std::string FormatFileTime(const FILETIME& time) {
  return FormatFileTime(time, FormatSettings());
}
