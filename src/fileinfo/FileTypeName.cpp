#include "FileTypeName.h"

#include "Paths.h"
#include "Strings.h"

std::string FileExtension(const std::string& name) {
  const std::size_t dot = LastDelimiter(name, ".\\:");
  if (dot == std::string::npos || name[dot] != '.') {
    return {};
  }
  return name.substr(dot);
}

std::string FallbackTypeName(const std::string& name) {
  return AsciiUpperCase(FileExtension(name)) + "-Files";
}
