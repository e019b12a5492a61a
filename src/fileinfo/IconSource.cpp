#include "IconSource.h"

#include "Paths.h"
#include "UniqueHandle.h"

#include <shlwapi.h>

#include <cstring>
#include <optional>
#include <vector>

namespace {

TRegistryKey OpenKey(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return TRegistryKey();
  }
  return TRegistryKey(opened);
}

// A value of a key, up to its first NUL; none when the key or the value is missing.
std::optional<std::string> KeyValue(HKEY root, const std::string& key, const char* valueName) {
  const TRegistryKey opened = OpenKey(root, key);
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

std::optional<std::string> ClassValue(const std::string& key, const char* valueName) {
  return KeyValue(HKEY_CLASSES_ROOT, key, valueName);
}

// "%1" stands for the file whose icon is wanted, sometimes quoted or with an index.
bool IsTheFileItself(const std::optional<std::string>& defaultIcon) {
  return defaultIcon && defaultIcon->find("%1") != std::string::npos;
}

// The default icon of the association the shell resolves for the extension, where the
// system answers that question itself (Wine 8 does not, for most types).
std::optional<std::string> AssociatedDefaultIcon(const std::string& extension) {
  DWORD length = 0;
  if (AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_DEFAULTICON, extension.c_str(), nullptr,
                        nullptr, &length) != S_FALSE ||
      length == 0) {
    return std::nullopt;
  }
  std::string icon(length, '\0');
  if (FAILED(AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_DEFAULTICON, extension.c_str(), nullptr,
                               icon.data(), &length))) {
    return std::nullopt;
  }
  icon.resize(strnlen(icon.data(), icon.size()));
  return icon;
}

// Every class whose settings the shell may take for files of the extension: the one the
// extension names and the newer versions it points to (CurVer), the program the user chose
// (UserChoice), and the keys that hold settings for the extension whatever its class
// (SystemFileAssociations). Which of them wins differs between versions of the system, so
// each counts.
std::vector<std::string> CandidateClasses(const std::string& extension) {
  std::vector<std::string> classes = {extension, "SystemFileAssociations\\" + extension};
  const auto addWithVersions = [&classes](std::optional<std::string> progId) {
    // A few steps are enough; a loop of CurVer values must not hold the search.
    for (int step = 0; step < 4 && progId && !progId->empty(); ++step) {
      classes.push_back(*progId);
      progId = ClassValue(*progId + "\\CurVer", nullptr);
    }
  };
  addWithVersions(ClassValue(extension, nullptr));
  addWithVersions(KeyValue(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\" +
                               extension + "\\UserChoice",
                           "ProgId"));
  return classes;
}

bool ClassIconComesFromEachFile(const std::string& key) {
  return IsTheFileItself(ClassValue(key + "\\DefaultIcon", nullptr)) ||
         ClassValue(key, "IsShortcut").has_value() ||
         static_cast<bool>(OpenKey(HKEY_CLASSES_ROOT, key + "\\shellex\\IconHandler"));
}

} // namespace

bool IconComesFromEachFile(const std::string& extension) {
  if (extension.empty()) {
    return false;
  }
  if (IsTheFileItself(AssociatedDefaultIcon(extension))) {
    return true;
  }
  for (const std::string& key : CandidateClasses(extension)) {
    if (ClassIconComesFromEachFile(key)) {
      return true;
    }
  }
  return false;
}

bool FolderShowsPlainIcon(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const DWORD customisable =
      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      (attributes & customisable) != 0) {
    return false;
  }
  if (ExtractFileName(path).find(".{") != std::string::npos) {
    return false;
  }
  const std::string settings = path + (EndsWithBackslash(path) ? "" : "\\") + "desktop.ini";
  return GetFileAttributesA(settings.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool FolderIconComesFromEachFolder() {
  return ClassIconComesFromEachFile("Directory") || ClassIconComesFromEachFile("Folder");
}
