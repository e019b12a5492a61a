#include "FormatSettings.h"

#include <optional>

namespace {

std::optional<TFormatSettings>& Current() {
  static std::optional<TFormatSettings> current;
  return current;
}

// The locale's value, or the fallback when the locale has none.
std::string LocaleText(LCID locale, LCTYPE item, const std::string& fallback) {
  char text[256];
  const int length = GetLocaleInfoA(locale, item, text, sizeof text);
  return length > 0 ? std::string(text, length - 1) : fallback;
}

bool LocaleFlag(LCID locale, LCTYPE item) {
  return LocaleText(locale, item, "0") != "0";
}

void ReadNames(LCID locale, LCTYPE first, std::string* names, int count) {
  for (int i = 0; i < count; ++i) {
    names[i] = LocaleText(locale, first + i, names[i]);
  }
}

} // namespace

std::string TimePicture(bool leadingZero, bool twelveHour, bool markerFirst, bool withSeconds) {
  std::string picture = leadingZero ? "hh:mm" : "h:mm";
  if (withSeconds) {
    picture += ":ss";
  }
  if (!twelveHour) {
    return picture;
  }
  return markerFirst ? "AMPM " + picture : picture + " AMPM";
}

TFormatSettings LocaleFormatSettings(LCID locale) {
  TFormatSettings settings;
  settings.ShortDateFormat = LocaleText(locale, LOCALE_SSHORTDATE, settings.ShortDateFormat);
  settings.LongDateFormat = LocaleText(locale, LOCALE_SLONGDATE, settings.LongDateFormat);
  settings.DateSeparator = LocaleText(locale, LOCALE_SDATE, settings.DateSeparator);
  settings.TimeSeparator = LocaleText(locale, LOCALE_STIME, settings.TimeSeparator);
  // A 24-hour locale may have empty marker texts; those are kept.
  settings.TimeAMString = LocaleText(locale, LOCALE_S1159, settings.TimeAMString);
  settings.TimePMString = LocaleText(locale, LOCALE_S2359, settings.TimePMString);

  const bool leadingZero = LocaleFlag(locale, LOCALE_ITLZERO);
  const bool twelveHour = !LocaleFlag(locale, LOCALE_ITIME);
  const bool markerFirst = LocaleFlag(locale, LOCALE_ITIMEMARKPOSN);
  settings.ShortTimeFormat = TimePicture(leadingZero, twelveHour, markerFirst, false);
  settings.LongTimeFormat = TimePicture(leadingZero, twelveHour, markerFirst, true);

  ReadNames(locale, LOCALE_SABBREVMONTHNAME1, settings.ShortMonthNames.data(), 12);
  ReadNames(locale, LOCALE_SMONTHNAME1, settings.LongMonthNames.data(), 12);
  // The locale counts the days from Monday; the settings from Sunday.
  ReadNames(locale, LOCALE_SABBREVDAYNAME1, settings.ShortDayNames.data() + 1, 6);
  ReadNames(locale, LOCALE_SABBREVDAYNAME7, settings.ShortDayNames.data(), 1);
  ReadNames(locale, LOCALE_SDAYNAME1, settings.LongDayNames.data() + 1, 6);
  ReadNames(locale, LOCALE_SDAYNAME7, settings.LongDayNames.data(), 1);
  return settings;
}

const TFormatSettings& FormatSettings() {
  std::optional<TFormatSettings>& current = Current();
  if (!current) {
    current = LocaleFormatSettings(GetThreadLocale());
  }
  return *current;
}

void RefreshFormatSettings() {
  Current() = LocaleFormatSettings(LOCALE_USER_DEFAULT);
}
