#pragma once

#include "FileExists.h"
#include "ShellFileInfo.h"

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

// The shell queries that the cache stands in front of.
struct TShellQueries {
  std::function<std::string(const std::string& path)> TypeName = ShellTypeName;
  std::function<int(const std::string& path)> IconIndex = ShellIconIndex;
};

// Type names and system icon indexes of files, asked of the shell once per extension, since
// one shell query costs ten times what the rest of a found file does, and answered exactly
// as the shell answers each file. The shell asks the registry about the extension for both,
// except the icon of types whose files carry their own (see IconComesFromEachFile): those
// are asked per file, but for files too short to carry one. Plain folders share one icon (see
// FolderShowsPlainIcon); other folders, missing names and files given by a short name or a
// wildcard are asked each time, since the shell may answer differently from the file found.
class TShellTypeCache {
public:
  explicit TShellTypeCache(TShellQueries queries = {}) : FQueries(std::move(queries)) {}

  // The arguments: a full path and what FindFileFacts answered for it.
  std::string TypeName(const std::string& path, const std::optional<TFileFacts>& facts);
  int IconIndex(const std::string& path, const std::optional<TFileFacts>& facts);
  // Forgets every answer: the file associations have changed.
  void Clear();

private:
  struct TIconEntry {
    bool PerFile = false;
    std::optional<int> Index;
    // Of files too short to carry an icon, for a type whose files carry their own.
    std::optional<int> FallbackIndex;
  };

  int FolderIconIndex(const std::string& path);

  TShellQueries FQueries;
  std::unordered_map<std::string, std::string> FTypeNames;
  std::unordered_map<std::string, TIconEntry> FIcons;
  // Of plain folders; PerFile is set when the folder classes choose each folder's icon.
  std::optional<TIconEntry> FFolderIcon;
};
