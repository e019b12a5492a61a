#pragma once

#include <string>
#include <vector>

// Full paths of every entry that a search of the folders (a ";" list) with the mask "*.*"
// and subfolders lists, found the way the search engine walks: each folder's entries, then
// its subfolders, leaving out system folders.
std::vector<std::string> ListedEntries(const std::string& folders);

struct TVersionSizeLoop {
  double Seconds = 0;
  // The paths that have a version resource.
  int Versioned = 0;
};

// GetFileVersionInfoSizeA over all the paths, one call each, and nothing else timed.
TVersionSizeLoop VersionSizeLoop(const std::vector<std::string>& paths);
