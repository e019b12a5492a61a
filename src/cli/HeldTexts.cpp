#include "HeldTexts.h"

#include "ReportFields.h"

#include "AuditFields.h"

#include <windows.h>

#include <cstdint>

namespace {

// A packed time is the mark and its seconds since 1601. Any other text that starts with the
// mark or the escape is held after the escape.
constexpr char Mark = '\x01';
constexpr char Escape = '\x02';
constexpr int SecondBytes = 6;
constexpr std::uint64_t TicksPerSecond = 10000000;

bool IsDate(WORD year, WORD month, WORD day) {
  constexpr WORD Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return month >= 1 && month <= 12 && day >= 1 &&
         day <= Days[month - 1] + (month == 2 && leap ? 1 : 0);
}

// A text held as it is, escaped where it could be taken for a packed time.
std::string HeldAsText(const std::string& text) {
  return !text.empty() && (text[0] == Mark || text[0] == Escape) ? Escape + text : text;
}

// Only the exact form IsoUtcText writes is packed, so that it comes back the same.
std::string PackUtcTime(const std::string& text) {
  constexpr std::string_view Form = "0000-00-00T00:00:00Z";
  if (text.size() != Form.size()) {
    return HeldAsText(text);
  }
  for (std::size_t at = 0; at < Form.size(); ++at) {
    const bool digit = text[at] >= '0' && text[at] <= '9';
    if (Form[at] == '0' ? !digit : text[at] != Form[at]) {
      return HeldAsText(text);
    }
  }
  const auto number = [&](std::size_t at, std::size_t count) {
    WORD value = 0;
    for (std::size_t index = at; index < at + count; ++index) {
      value = static_cast<WORD>(value * 10 + (text[index] - '0'));
    }
    return value;
  };
  const SYSTEMTIME time = {number(0, 4),  number(5, 2),  0, number(8, 2), number(11, 2),
                           number(14, 2), number(17, 2), 0};
  FILETIME fileTime;
  if (!IsDate(time.wYear, time.wMonth, time.wDay) || time.wHour > 23 || time.wMinute > 59 ||
      time.wSecond > 59 || !SystemTimeToFileTime(&time, &fileTime)) {
    return HeldAsText(text);
  }
  const std::uint64_t seconds =
      ((std::uint64_t{fileTime.dwHighDateTime} << 32) | fileTime.dwLowDateTime) / TicksPerSecond;
  // The first moment is no time to IsoUtcText.
  if (seconds == 0) {
    return HeldAsText(text);
  }
  std::string packed(1, Mark);
  for (int byte = 0; byte < SecondBytes; ++byte) {
    packed += static_cast<char>(seconds >> (8 * byte) & 0xFF);
  }
  return packed;
}

std::string UnpackUtcTime(std::string_view held) {
  if (!held.empty() && held[0] == Escape) {
    return std::string(held.substr(1));
  }
  if (held.size() != 1 + SecondBytes || held[0] != Mark) {
    return std::string(held);
  }
  std::uint64_t seconds = 0;
  for (int byte = SecondBytes; byte-- > 0;) {
    seconds = (seconds << 8) | static_cast<unsigned char>(held[1 + byte]);
  }
  const std::uint64_t ticks = seconds * TicksPerSecond;
  return IsoUtcText({static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)});
}

} // namespace

std::string HeldFieldText(std::size_t field, const std::string& text) {
  switch (ReportFields()[field].Kind) {
  case TFieldKind::Flag:
    return text == "true" ? "1" : "";
  case TFieldKind::UtcTime:
    return PackUtcTime(text);
  default:
    return text;
  }
}

std::string FieldTextOfHeld(std::size_t field, std::string_view held) {
  switch (ReportFields()[field].Kind) {
  case TFieldKind::Flag:
    return held.empty() ? "false" : "true";
  case TFieldKind::UtcTime:
    return UnpackUtcTime(held);
  default:
    return std::string(held);
  }
}
