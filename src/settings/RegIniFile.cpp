#include "RegIniFile.h"

#include "Strings.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

TRegistryKey CreateKey(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return TRegistryKey();
  }
  return TRegistryKey(key);
}

TRegistryKey OpenKey(HKEY parent, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (parent == nullptr || RegOpenKeyExA(parent, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
    return TRegistryKey();
  }
  return TRegistryKey(key);
}

void DeleteTree(HKEY parent, const std::string& name) {
  {
    const TRegistryKey key = OpenKey(parent, name, KEY_ALL_ACCESS);
    if (!key) {
      return;
    }
    DWORD count = 0;
    DWORD longest = 0;
    RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr);
    std::vector<char> child(longest + 1);
    // From the last index down, so that deleting does not shift the ones still to come.
    for (DWORD index = count; index-- > 0;) {
      DWORD length = static_cast<DWORD>(child.size());
      if (RegEnumKeyExA(key.get(), index, child.data(), &length, nullptr, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS) {
        DeleteTree(key.get(), std::string(child.data(), length));
      }
    }
  }
  RegDeleteKeyA(parent, name.c_str());
}

} // namespace

int StrToIntDef(const std::string& text, int defaultValue) {
  if (text.empty()) {
    return defaultValue;
  }
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  // Everything after leading blanks must be the number: nothing after it, no overflow.
  if (end == text.c_str() || *end != '\0' || errno == ERANGE || value < INT_MIN ||
      value > INT_MAX) {
    return defaultValue;
  }
  return static_cast<int>(value);
}

TRegIniFile::TRegIniFile(const std::string& keyPath, bool readOnly)
    : FKey(CreateKey(HKEY_CURRENT_USER, keyPath)), FAccess(readOnly ? KEY_READ : KEY_ALL_ACCESS) {
  // A key the user may read but not write (set by a policy, say) is still read.
  if (!FKey && readOnly) {
    FKey = OpenKey(HKEY_CURRENT_USER, keyPath, KEY_READ);
  }
}

std::string TRegIniFile::ReadValue(const std::string& section, const std::string& name,
                                   const std::string& defaultValue) const {
  const TRegistryKey key = OpenKey(FKey.get(), section, FAccess);
  const std::wstring wideName = WideFromAnsi(name);
  DWORD type = 0;
  DWORD size = 0;
  if (!key || RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
                  ERROR_SUCCESS) {
    return defaultValue;
  }
  if (size == 0) {
    return {};
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    throw ERegistryException("Invalid data type for '" + name + "'");
  }
  // Room for a value stored without its NUL, or with an odd number of bytes.
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
  if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return defaultValue;
  }
  return AnsiFromWide(data.data()); // up to the first NUL
}

int TRegIniFile::ValueCount(const std::string& section) const {
  const TRegistryKey key = OpenKey(FKey.get(), section, FAccess);
  DWORD values = 0;
  if (!key || RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  return static_cast<int>(std::min<DWORD>(values, INT_MAX));
}

int TRegIniFile::ReadNumber(const std::string& section, const std::string& name,
                            int defaultValue) const {
  return StrToIntDef(ReadValue(section, name, ""), defaultValue);
}

void TRegIniFile::WriteValue(const std::string& section, const std::string& name,
                             const std::string& text) {
  if (!CreateKey(FKey.get(), section)) {
    throw ERegistryException("Failed to create key " + section);
  }
  const TRegistryKey key = OpenKey(FKey.get(), section, FAccess);
  if (!key) {
    return;
  }
  const std::wstring wideText = WideFromAnsi(text);
  if (RegSetValueExW(key.get(), WideFromAnsi(name).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(wideText.c_str()),
                     static_cast<DWORD>((wideText.size() + 1) * sizeof(wchar_t))) !=
      ERROR_SUCCESS) {
    throw ERegistryException("Failed to set data for '" + name + "'");
  }
}

void TRegIniFile::WriteNumber(const std::string& section, const std::string& name, int value) {
  WriteValue(section, name, std::to_string(value));
}

void TRegIniFile::WriteFlag(const std::string& section, const std::string& name, bool value) {
  WriteValue(section, name, value ? "1" : "0");
}

void TRegIniFile::DeleteSection(const std::string& section) {
  if (FKey) {
    DeleteTree(FKey.get(), section);
  }
}
