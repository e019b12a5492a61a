#include "Paths.h"

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
  for (std::size_t i = start; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) && i + 1 < text.size()) {
      ++i; // the trail byte belongs to this character, whatever its value
    } else if (c != '\0' && std::strchr(delimiters, c) != nullptr && !found(i)) {
      return;
    }
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
