#include "IconSource.h"

#include "UniqueHandle.h"

#include <cstring>
#include <optional>

namespace {

TRegistryKey OpenClassKey(const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return TRegistryKey();
  }
  return TRegistryKey(opened);
}

// A value of a key under HKEY_CLASSES_ROOT, up to its first NUL; none when the key or the
// value is missing.
std::optional<std::string> ClassValue(const std::string& key, const char* valueName) {
  const TRegistryKey opened = OpenClassKey(key);
  DWORD size = 0;
  if (!opened || RegQueryValueExA(opened.get(), valueName, nullptr, nullptr, nullptr, &size) !=
                     ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string value(size, '\0');
  if (RegQueryValueExA(opened.get(), valueName, nullptr, nullptr,
                       reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(strnlen(value.data(), size));
  return value;
}

// "%1" stands for the file whose icon is wanted, sometimes quoted or with an index.
bool IsTheFileItself(const std::optional<std::string>& defaultIcon) {
  return defaultIcon && defaultIcon->find("%1") != std::string::npos;
}

} // namespace

bool IconComesFromEachFile(const std::string& extension) {
  if (extension.empty()) {
    return false;
  }
  if (IsTheFileItself(ClassValue(extension + "\\DefaultIcon", nullptr))) {
    return true;
  }
  const std::optional<std::string> progId = ClassValue(extension, nullptr);
  if (!progId || progId->empty()) {
    return false;
  }
  return IsTheFileItself(ClassValue(*progId + "\\DefaultIcon", nullptr)) ||
         ClassValue(*progId, "IsShortcut").has_value() ||
         static_cast<bool>(OpenClassKey(*progId + "\\shellex\\IconHandler"));
}
