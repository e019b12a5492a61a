#include "ShellTypeCache.h"

#include "FileTypeName.h"
#include "IconSource.h"
#include "Paths.h"
#include "Strings.h"

namespace {

constexpr std::int64_t SmallestIconSource = 64;

// The extension under which the file's answers are shared, or none when they cannot be: the
// shell reads the name that the folder stores, so a file must have been found under the
// name it was given.
std::optional<std::string> SharedExtension(const std::string& path,
                                           const std::optional<TFileFacts>& facts) {
  if (!facts) {
    return std::nullopt;
  }
  if (AsciiUpperCase(ExtractFileName(path)) != AsciiUpperCase(facts->Name)) {
    return std::nullopt;
  }
  return FileExtension(facts->Name);
}

} // namespace

std::string TShellTypeCache::TypeName(const std::string& path,
                                      const std::optional<TFileFacts>& facts) {
  const std::optional<std::string> extension = SharedExtension(path, facts);
  if (!extension) {
    return FQueries.TypeName(path);
  }
  // Case counts: Wine names an unregistered type after the extension as the file spells it
  // ("txt file", "TXT file").
  const auto known = FTypeNames.find(*extension);
  if (known != FTypeNames.end()) {
    return known->second;
  }
  return FTypeNames.emplace(*extension, FQueries.TypeName(path)).first->second;
}

void TShellTypeCache::Clear() {
  FTypeNames.clear();
  FIcons.clear();
  FFolderIcon.reset();
}

int TShellTypeCache::FolderIconIndex(const std::string& path) {
  // One answer serves every plain folder: on a whole disk, asking the shell about each folder
  // costs more than the rest of all the rows.
  if (!FFolderIcon) {
    FFolderIcon.emplace();
    FFolderIcon->PerFile = FolderIconComesFromEachFolder();
  }
  if (FFolderIcon->PerFile || !FolderShowsPlainIcon(path)) {
    return FQueries.IconIndex(path);
  }
  if (!FFolderIcon->Index) {
    FFolderIcon->Index = FQueries.IconIndex(path);
  }
  return *FFolderIcon->Index;
}

int TShellTypeCache::IconIndex(const std::string& path, const std::optional<TFileFacts>& facts) {
  if (!facts) {
    return FolderIconIndex(path);
  }
  const std::optional<std::string> extension = SharedExtension(path, facts);
  if (!extension) {
    return FQueries.IconIndex(path);
  }
  // Icons come from the registry alone, whose keys ignore case.
  const auto [entry, added] = FIcons.try_emplace(AsciiUpperCase(*extension));
  TIconEntry& icon = entry->second;
  if (added) {
    icon.PerFile = IconComesFromEachFile(*extension);
  }
  if (icon.PerFile) {
    // Program images, icon files and shortcuts all open with headers longer than this, so
    // a shorter file carries no icon and points to none: it shows the one the shell falls
    // back to for its type.
    if (facts->Size >= SmallestIconSource) {
      return FQueries.IconIndex(path);
    }
    if (!icon.FallbackIndex) {
      icon.FallbackIndex = FQueries.IconIndex(path);
    }
    return *icon.FallbackIndex;
  }
  if (!icon.Index) {
    icon.Index = FQueries.IconIndex(path);
  }
  return *icon.Index;
}
