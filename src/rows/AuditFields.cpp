#include "AuditFields.h"

#include "ImageFacts.h"
#include "Strings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace {

bool StartsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) {
    return false;
  }
  for (std::size_t at = 0; at < word.size(); ++at) {
    const char c = text[at];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != word[at]) {
      return false;
    }
  }
  return true;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The separator that follows a number at the place, "." or "," (with the blanks after it);
// its length, or 0 when another character follows.
std::size_t SeparatorAt(std::string_view text, std::size_t at, char separator) {
  if (at >= text.size() || text[at] != separator) {
    return 0;
  }
  std::size_t end = at + 1;
  while (separator == ',' && end < text.size() && text[end] == ' ') {
    ++end;
  }
  return end - at;
}

} // namespace

std::vector<std::uint32_t> StatedVersion(const std::string& text) {
  std::string_view rest(text);
  if (StartsWithWord(rest, "version ")) {
    rest.remove_prefix(8);
  } else if (!rest.empty() && (rest[0] == 'v' || rest[0] == 'V')) {
    rest.remove_prefix(1);
  }
  std::vector<std::uint32_t> numbers;
  // The first separator sets the form: "1.2.3.4" or "1, 2, 3, 4".
  char separator = '\0';
  std::size_t at = 0;
  while (at < rest.size() && IsDigit(rest[at])) {
    std::uint64_t number = 0;
    for (; at < rest.size() && IsDigit(rest[at]); ++at) {
      number =
          std::min<std::uint64_t>(number * 10 + static_cast<unsigned>(rest[at] - '0'), UINT32_MAX);
    }
    numbers.push_back(static_cast<std::uint32_t>(number));
    if (separator == '\0') {
      separator = SeparatorAt(rest, at, '.') > 0 ? '.' : ',';
    }
    const std::size_t skip = SeparatorAt(rest, at, separator);
    if (skip == 0) {
      break;
    }
    at += skip;
  }
  return numbers;
}

bool VersionNumbersDiffer(const std::string& versionString, const std::string& fixedNumbers) {
  const std::vector<std::uint32_t> stated = StatedVersion(versionString);
  const std::vector<std::uint32_t> fixed = StatedVersion(fixedNumbers);
  if (stated.empty() || fixed.empty()) {
    return false;
  }
  for (std::size_t index = 0; index < stated.size() && index < fixed.size(); ++index) {
    if (stated[index] != fixed[index]) {
      return true;
    }
  }
  return stated.size() > fixed.size();
}

std::string IsoUtcText(const FILETIME& time) {
  SYSTEMTIME utc;
  if ((time.dwLowDateTime == 0 && time.dwHighDateTime == 0) || !FileTimeToSystemTime(&time, &utc)) {
    return {};
  }
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", utc.wYear, utc.wMonth,
                utc.wDay, utc.wHour, utc.wMinute, utc.wSecond);
  return text;
}

TAuditFields AuditFieldsOf(const TVersionInfo& versions) {
  TAuditFields fields;
  fields.FileVersionNumber = versions.FileVersionNumber();
  fields.ProductVersionNumber = versions.ProductVersionNumber();
  fields.VersionMismatch =
      VersionNumbersDiffer(versions.FileVersion(), versions.FileVersionNumber());
  if (const std::optional<TImageFacts> image =
          ReadImageFacts(versions.RetrieveFilename(), versions.FileHead())) {
    fields.Machine = image->Machine;
    if (image->LinkTime) {
      // Seconds since 1970 in the file time's hundreds of nanoseconds since 1601.
      const std::uint64_t ticks = (*image->LinkTime + 11644473600ull) * 10000000ull;
      fields.LinkTime = IsoUtcText({static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)});
    }
    fields.Subsystem = SubsystemName(image->Subsystem);
    fields.DotNet = image->DotNet;
  }
  fields.Languages = versions.StringTables();
  fields.Path = versions.RetrieveFilename();
  if (const std::optional<TFileFacts>& facts = versions.FileFacts()) {
    fields.CreatedUtc = IsoUtcText(facts->Created);
    fields.LastAccessUtc = IsoUtcText(facts->LastAccess);
    fields.LastModifiedUtc = IsoUtcText(facts->LastWrite);
  }
  if (versions.ReadError() != 0) {
    fields.ReadError = SystemErrorText(versions.ReadError());
  }
  return fields;
}
