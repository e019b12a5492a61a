#include "FileTypeName.h"

#include "Strings.h"

std::string FileExtension(const std::string& name) {
  const std::string::size_type dot = name.rfind('.');
  if (dot == std::string::npos || name.find_first_of("\\:", dot) != std::string::npos) {
    return {};
  }
  return name.substr(dot);
}

std::string FallbackTypeName(const std::string& name) {
  return AsciiUpperCase(FileExtension(name)) + "-Files";
}
