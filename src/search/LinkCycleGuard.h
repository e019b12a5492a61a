#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <unordered_map>

// Tells a walk which folder links lead back to a folder they lie in: a junction or symbolic
// link to the folder itself or one of its ancestors would make the walk endless. Only
// entries marked as reparse points are examined, so ordinary folders cost nothing.
class TLinkCycleGuard {
public:
  // True when the folder entry of the folder path (ending in a backslash) is a link to that
  // folder or to one of its ancestors.
  bool LeadsBack(const std::string& path, const WIN32_FIND_DATAA& entry);

private:
  struct TFolderIdentity {
    DWORD Volume;
    ULONGLONG Index;
    bool operator==(const TFolderIdentity&) const = default;
  };

  static std::optional<TFolderIdentity> IdentityOf(const std::string& folder);
  std::optional<TFolderIdentity> CachedIdentityOf(const std::string& folder);

  // Folders above the links met so far, which a walk meets again and again.
  std::unordered_map<std::string, std::optional<TFolderIdentity>> FAncestors;
};
