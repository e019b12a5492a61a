#pragma once

#include "ReportOptions.h"

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

// A command line that asks for help, with the text to show.
struct THelpRequest {
  std::string Text;
};

// A command line that cannot be run; the message says why and the usage follows it.
class EUsageError : public std::runtime_error {
public:
  EUsageError(const std::string& message, std::string usage)
      : std::runtime_error(message), FUsage(std::move(usage)) {}
  const std::string& Usage() const { return FUsage; }

private:
  std::string FUsage;
};

// The options of the arguments after the program name; raises EUsageError.
std::variant<TReportOptions, THelpRequest> ParseCommandLine(const std::vector<std::string>& args);
