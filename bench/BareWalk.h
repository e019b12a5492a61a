#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The least a walk of a folder tree can do: per folder one enumeration for each mask and one
// more for the subfolders, depth first, with nothing but the one path it keeps extending.
// It is the yardstick the engine's walk is measured against.
class TBareWalk {
public:
  explicit TBareWalk(std::vector<std::string> masks) : FMasks(std::move(masks)) {}

  // Walks the folder (given without a trailing backslash) and all below it; answers how many
  // entries the masks matched, "." and ".." left out.
  std::size_t Run(const std::string& folder);

private:
  // Walks the folder that FPath names; FPath ends in a backslash and is the same on return.
  void WalkFolder();

  std::vector<std::string> FMasks;
  std::string FPath;
  std::size_t FMatched = 0;
};
