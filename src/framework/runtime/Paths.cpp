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
  std::string name = ModuleFileName();
  name.erase(0, name.find_last_of("\\/:") + 1);
  return name.substr(0, name.rfind('.'));
}

std::size_t LastDelimiter(const std::string& text, const char* delimiters, UINT codePage) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) && i + 1 < text.size()) {
      ++i; // the trail byte belongs to this character, whatever its value
    } else if (c != '\0' && std::strchr(delimiters, c) != nullptr) {
      last = i;
    }
  }
  return last;
}

bool EndsWithBackslash(const std::string& text, UINT codePage) {
  return !text.empty() && LastDelimiter(text, "\\", codePage) == text.size() - 1;
}
