#include "Paths.h"

#include "Strings.h"

#include <cstring>
#include <vector>

std::string ModuleFileName() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return std::string();
    }
    if (length < path.size()) {
      return std::string(path.data(), length);
    }
    path.resize(path.size() * 2); // cut short: try again with more room
  }
}

std::string ProgramName() {
  const std::string name = ExtractFileName(ModuleFileName());
  return name.substr(0, name.rfind('.'));
}

namespace {

// Calls found with the index of every delimiter from start on, until it answers false.
template <typename TFound>
void ForEachDelimiter(const std::string& text, const char* delimiters, std::size_t start,
                      UINT codePage, TFound found) {
  const TCharacterSteps steps(codePage);
  for (std::size_t i = start; i < text.size();) {
    const std::size_t size = steps.SizeAt(text, i);
    // A trail byte belongs to its character, whatever its value.
    if (size == 1 && text[i] != '\0' && std::strchr(delimiters, text[i]) != nullptr && !found(i)) {
      return;
    }
    i += size;
  }
}

} // namespace

std::size_t LastDelimiter(const std::string& text, const char* delimiters, UINT codePage) {
  std::size_t last = std::string::npos;
  ForEachDelimiter(text, delimiters, 0, codePage, [&](std::size_t i) {
    last = i;
    return true;
  });
  return last;
}

std::size_t NextDelimiter(const std::string& text, const char* delimiters, std::size_t start,
                          UINT codePage) {
  std::size_t next = std::string::npos;
  ForEachDelimiter(text, delimiters, start, codePage, [&](std::size_t i) {
    next = i;
    return false;
  });
  return next;
}

std::string ExtractFileName(const std::string& path, UINT codePage) {
  const std::size_t last = LastDelimiter(path, "\\/:", codePage);
  return last == std::string::npos ? path : path.substr(last + 1);
}

bool EndsWithBackslash(const std::string& text, UINT codePage) {
  return !text.empty() && LastDelimiter(text, "\\", codePage) == text.size() - 1;
}
