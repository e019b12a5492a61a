#pragma once

#include "FileGrep.h"

#include <cstddef>
#include <string>

// The search engine walking a folder tree in direct mode, recursing into subfolders, with a
// found handler that only counts: what is timed is the engine's own walk.
class TEngineWalk {
public:
  TEngineWalk(const std::string& folder, const std::string& masks);

  // One run; answers how many entries were found.
  std::size_t Run();

private:
  void GrepFound(TObject* sender, const std::string& record);

  TFileGrep FGrep{nullptr};
  std::size_t FFound = 0;
};
