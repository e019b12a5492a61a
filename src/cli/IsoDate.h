#pragma once

#include "DateTime.h"

#include <optional>
#include <string>

// An ISO 8601 date ("2024-05-31") or date and time ("2024-05-31T13:45", with seconds or
// not, "T" or a space between), as the local date-time number. A date alone stands for its
// first moment, or, with endOfDay, its last second, so that a bound on a day includes it.
std::optional<TDateTime> ParseIsoDate(const std::string& text, bool endOfDay);
