#include "LinkCycleGuard.h"

#include "Paths.h"
#include "UniqueHandle.h"

bool TLinkCycleGuard::LeadsBack(const std::string& path, const WIN32_FIND_DATAA& entry) {
  if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return false;
  }
  const std::optional<TFolderIdentity> target = IdentityOf(path + entry.cFileName);
  if (!target) {
    return false; // a dangling link yields nothing anyway
  }
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) {
    return false;
  }
  // Every folder on the way down, from the root of the drive to the folder itself.
  const std::string folder(full, length);
  for (std::size_t end = NextDelimiter(folder, "\\", 0); end != std::string::npos;
       end = NextDelimiter(folder, "\\", end + 1)) {
    if (CachedIdentityOf(folder.substr(0, end + 1)) == target) {
      return true;
    }
  }
  return false;
}

std::optional<TLinkCycleGuard::TFolderIdentity>
TLinkCycleGuard::IdentityOf(const std::string& folder) {
  // Opening a folder needs the backup-semantics flag; the link itself is followed.
  const TFileHandle handle(
      CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!handle || !GetFileInformationByHandle(handle.get(), &information)) {
    return std::nullopt;
  }
  return TFolderIdentity{information.dwVolumeSerialNumber,
                         (ULONGLONG{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

std::optional<TLinkCycleGuard::TFolderIdentity>
TLinkCycleGuard::CachedIdentityOf(const std::string& folder) {
  const auto known = FAncestors.find(folder);
  if (known != FAncestors.end()) {
    return known->second;
  }
  return FAncestors[folder] = IdentityOf(folder);
}
