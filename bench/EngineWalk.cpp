#include "EngineWalk.h"

TEngineWalk::TEngineWalk(const std::string& folder, const std::string& masks) {
  FGrep.SetThreadedSearch(false);
  FGrep.SetRecurseSubDirs(true);
  FGrep.SetDirs(folder);
  FGrep.SetFileMasks(masks);
  FGrep.OnFound = Bind<&TEngineWalk::GrepFound>(this);
}

std::size_t TEngineWalk::Run() {
  FFound = 0;
  FGrep.Start();
  return FFound;
}

void TEngineWalk::GrepFound(TObject*, const std::string&) {
  ++FFound;
}
