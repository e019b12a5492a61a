#include "FileTypeName.h"

std::string FileExtension(const std::string& name) {
  const std::string::size_type dot = name.rfind('.');
  if (dot == std::string::npos || name.find_first_of("\\:", dot) != std::string::npos) {
    return {};
  }
  return name.substr(dot);
}

std::string FallbackTypeName(const std::string& name) {
  return AsciiUpper(FileExtension(name)) + "-Files";
}

std::string AsciiUpper(std::string text) {
  // Not CharUpperA: characters beyond ASCII keep their case here.
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}
