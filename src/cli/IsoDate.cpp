#include "IsoDate.h"

#include <regex>

std::optional<TIsoBound> ParseIsoDate(const std::string& text, bool endOfDay) {
  static const std::regex pattern(
      R"((\d{4})-(\d{2})-(\d{2})(?:[T ](\d{2}):(\d{2})(?::(\d{2}))?)?)");
  std::smatch match;
  if (!std::regex_match(text, match, pattern)) {
    return std::nullopt;
  }
  auto part = [&](int index, int absent) {
    return match[index].matched ? std::stoi(match[index].str()) : absent;
  };
  const TDateTimeParts parts{.Year = part(1, 0),
                             .Month = part(2, 0),
                             .Day = part(3, 0),
                             .Hour = part(4, 0),
                             .Minute = part(5, 0),
                             .Second = part(6, 0)};
  TDateTime value;
  if (!TryEncodeDateTime(parts, value)) {
    return std::nullopt;
  }
  if (!match[4].matched && endOfDay) {
    return TIsoBound{value + 1, true};
  }
  return TIsoBound{value, false};
}
