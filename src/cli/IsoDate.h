#pragma once

#include "DateTime.h"

#include <optional>
#include <string>

// A date bound of the command line as a local date-time number.
struct TIsoBound {
  TDateTime Value;
  // The value itself is outside the bound: the first moment after a whole day.
  bool Exclusive = false;
};

// An ISO 8601 date ("2024-05-31") or date and time ("2024-05-31T13:45", with seconds or
// not, "T" or a space between). A date alone stands for its first moment, or, with
// endOfDay, for the next day's first moment, left out, so that a bound on a day includes
// all of it, the last second's fractions too.
std::optional<TIsoBound> ParseIsoDate(const std::string& text, bool endOfDay);
