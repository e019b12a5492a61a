#pragma once

#include "TemporaryFolder.h"

#include <map>
#include <string>

// The tree the walk benchmark walks, made under the temporary folder and removed when the
// object goes: ten folders, nine in each of them and ten in each of those, so a thousand
// folders, each holding the same fifty files. One name in ten ends in ".dll" or ".exe". Their
// sizes are those of files on real disks: most of them larger than a program image's first
// header, which the row reader must then open, a few empty.
class TBenchTree {
public:
  TBenchTree();

  // The root, without a trailing backslash; it holds the folders and no files.
  const std::string& Root() const { return FRoot.Path(); }
  int FolderCount() const { return FFolderCount; }
  int FileCount() const;
  // The files whose names end in the extension (given with its dot).
  int FileCount(const std::string& extension) const;

private:
  void FillFolder(const std::string& folder, std::size_t level);
  void MakeFile(const std::string& path, int number);

  TTemporaryFolder FRoot{"KOVQuilletWalkBench"};
  int FFolderCount = 0;
  std::map<std::string, int> FFilesByExtension;
};
