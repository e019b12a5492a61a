#include "StoredValues.h"

#include "support/StoredSettings.h"

#include "UniqueHandle.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>

namespace {

TRegistryKey CreateSection(const std::string& section) {
  HKEY key = nullptr;
  const std::string path = std::string(ProductKey) + "\\" + section;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("Cannot create " + path);
  }
  return TRegistryKey(key);
}

TRegistryKey OpenForReading(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return TRegistryKey();
  }
  return TRegistryKey(key);
}

void Store(const std::string& section, const std::string& name, DWORD type, const void* data,
           DWORD size) {
  const TRegistryKey key = CreateSection(section);
  if (RegSetValueExA(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) !=
      ERROR_SUCCESS) {
    throw std::runtime_error("Cannot store " + name);
  }
}

} // namespace

std::ostream& operator<<(std::ostream& stream, const TStoredValue& value) {
  std::string shown;
  for (const char c : value.Data) {
    shown += c == '\0' ? std::string("\\0") : std::string(1, c);
  }
  return stream << "type " << value.Type << " \"" << shown << "\"";
}

TStoredValue Sz(const std::string& text) {
  return {REG_SZ, text + '\0'};
}

std::string Suffixed(const std::string& name) {
  return name + "(" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
         std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ")";
}

void StoreValues(const std::string& section, const TStoredValues& values) {
  for (const auto& [name, value] : values) {
    Store(section, name, value.Type, value.Data.data(), static_cast<DWORD>(value.Data.size()));
  }
}

void StoreText(const std::string& section, const std::string& name, const std::string& text) {
  Store(section, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void StoreDword(const std::string& section, const std::string& name, DWORD value) {
  Store(section, name, REG_DWORD, &value, sizeof value);
}

void StoreItems(const std::vector<std::string>& items) {
  StoreValues(ItemsSection, ItemValues(items));
}

bool ProductKeyExists() {
  return static_cast<bool>(OpenForReading(ProductKey));
}

std::vector<std::string> StoredSections() {
  std::vector<std::string> sections;
  const TRegistryKey key = OpenForReading(ProductKey);
  char name[256];
  DWORD length = sizeof name;
  for (DWORD index = 0; key && RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr,
                                             nullptr, nullptr) == ERROR_SUCCESS;
       ++index, length = sizeof name) {
    sections.emplace_back(name, length);
  }
  std::sort(sections.begin(), sections.end());
  return sections;
}

TStoredValues StoredValues(const std::string& section) {
  TStoredValues values;
  const TRegistryKey key = OpenForReading(
      section.empty() ? std::string(ProductKey) : std::string(ProductKey) + "\\" + section);
  if (!key) {
    return values;
  }
  char name[256];
  std::string data(4096, '\0');
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const LSTATUS status = RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(data.size() * 32); // a value of 64 KiB, then the same one again
      --index;
      continue;
    }
    if (status != ERROR_SUCCESS) {
      return values;
    }
    values[std::string(name, nameLength)] = {type, data.substr(0, size)};
  }
}

TStoredValues ItemValues(const std::vector<std::string>& items) {
  TStoredValues values{{"Count", Sz(std::to_string(items.size()))}};
  for (std::size_t index = 0; index < items.size(); ++index) {
    values["Item" + std::to_string(index)] = Sz(items[index]);
  }
  return values;
}
