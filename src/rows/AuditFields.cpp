#include "AuditFields.h"

#include "ImageMachine.h"

#include <cctype>
#include <vector>

namespace {

// The run of numbers the text starts with, separated by "." or "," and optional spaces.
std::vector<std::string> LeadingNumbers(const std::string& text) {
  std::vector<std::string> numbers;
  std::size_t at = 0;
  auto skipSpaces = [&] {
    while (at < text.size() && text[at] == ' ') {
      ++at;
    }
  };
  skipSpaces();
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    const std::size_t start = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
      ++at;
    }
    // Leading zeros do not change a number: "06" is 6.
    const std::size_t firstSignificant = text.find_first_not_of('0', start);
    numbers.push_back(firstSignificant < at ? text.substr(firstSignificant, at - firstSignificant)
                                            : "0");
    skipSpaces();
    if (at >= text.size() || (text[at] != '.' && text[at] != ',')) {
      break;
    }
    ++at;
    skipSpaces();
  }
  return numbers;
}

} // namespace

bool VersionNumbersDiffer(const std::string& versionString, const std::string& fixedNumbers) {
  const std::vector<std::string> stated = LeadingNumbers(versionString);
  const std::vector<std::string> fixed = LeadingNumbers(fixedNumbers);
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

TAuditFields AuditFieldsOf(const TVersionInfo& versions) {
  TAuditFields fields;
  fields.FileVersionNumber = versions.FileVersionNumber();
  fields.ProductVersionNumber = versions.ProductVersionNumber();
  fields.VersionMismatch =
      VersionNumbersDiffer(versions.FileVersion(), versions.FileVersionNumber());
  fields.Machine = ImageMachine(versions.RetrieveFilename(), versions.FileHead());
  return fields;
}
