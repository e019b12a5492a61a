#pragma once

#include <stdexcept>
#include <string>

// Errors of the framework's own, reported by the application's default error report.
class EFCreateError : public std::runtime_error {
public:
  explicit EFCreateError(const std::string& fileName)
      : std::runtime_error("Cannot create file " + fileName) {}
};

class EWriteError : public std::runtime_error {
public:
  EWriteError() : std::runtime_error("Stream write error") {}
};
