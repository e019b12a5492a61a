// Times the search engine's directory walk against a bare loop of the enumerations such a
// walk cannot do without, on a generated tree of 50,000 files in 1,000 folders.

#include "BareWalk.h"
#include "BenchTree.h"
#include "EngineWalk.h"
#include "Figures.h"
#include "Stopwatch.h"

#include "Application.h"

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Timed runs of each walk; the best one counts.
constexpr int Rounds = 11;

struct TWalkTimes {
  double Engine;
  double Bare;
};

std::string JoinMasks(const std::vector<std::string>& masks) {
  std::string list;
  for (const std::string& mask : masks) {
    list += list.empty() ? mask : ';' + mask;
  }
  return list;
}

void CheckFound(const char* walk, std::size_t found, std::size_t expected) {
  if (found != expected) {
    throw std::runtime_error(std::string(walk) + " walk found " + std::to_string(found) +
                             " entries instead of " + std::to_string(expected));
  }
}

// Alternates engine and bare walk, so that both meet the same load from the rest of the
// machine. The first round is not timed: it warms the file system cache and the engine.
TWalkTimes BestTimes(const std::string& root, const std::vector<std::string>& masks,
                     std::size_t expected) {
  TEngineWalk engine(root, JoinMasks(masks));
  TBareWalk bare(masks);
  TBestTime engineBest;
  TBestTime bareBest;
  for (int round = 0; round <= Rounds; ++round) {
    std::size_t engineFound = 0;
    std::size_t bareFound = 0;
    const double engineSeconds = SecondsOf([&] { engineFound = engine.Run(); });
    const double bareSeconds = SecondsOf([&] { bareFound = bare.Run(root); });
    CheckFound("The engine's", engineFound, expected);
    CheckFound("The bare", bareFound, expected);
    if (round > 0) {
      engineBest.Add(engineSeconds);
      bareBest.Add(bareSeconds);
    }
  }
  return {engineBest.Seconds(), bareBest.Seconds()};
}

// Rates are entries of the tree (files and folders) walked per second, whatever the masks,
// so that the one-mask and two-mask figures compare.
void ReportWalk(const std::string& suffix, const std::string& ratioName, const TWalkTimes& times,
                double treeEntries) {
  PrintFigure("engine_walk_" + suffix, treeEntries / times.Engine, 0, "entries/s");
  PrintFigure("bare_walk_" + suffix, treeEntries / times.Bare, 0, "entries/s");
  PrintFigure("engine_walk_" + suffix + "_time", times.Engine * 1000, 1, "ms");
  PrintFigure("bare_walk_" + suffix + "_time", times.Bare * 1000, 1, "ms");
  PrintFigure(ratioName, times.Engine / times.Bare, 3, "x");
}

void Run() {
  const TBenchTree tree;
  const int treeEntries = tree.FileCount() + tree.FolderCount();
  PrintFigure("tree_files", tree.FileCount(), 0, "files");
  PrintFigure("tree_folders", tree.FolderCount(), 0, "folders");

  const std::vector<std::string> oneMask = {"*.*"};
  const TWalkTimes one = BestTimes(tree.Root(), oneMask, treeEntries);
  PrintFigure("found_one_mask", treeEntries, 0, "entries");
  ReportWalk("one_mask", "engine_walk_ratio", one, treeEntries);

  const std::vector<std::string> twoMasks = {"*.dll", "*.exe"};
  const int matches = tree.FileCount(".dll") + tree.FileCount(".exe");
  const TWalkTimes two = BestTimes(tree.Root(), twoMasks, matches);
  PrintFigure("found_two_masks", matches, 0, "entries");
  ReportWalk("two_masks", "engine_walk_ratio_two_masks", two, treeEntries);
}

} // namespace

int main() {
  try {
    // The engine pumps the UI thread's messages, which takes the application object.
    TApplication application;
    Run();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_walk: %s\n", error.what());
    return 1;
  }
}
