// Times the search engine's content filter against a bare loop that walks the same tree and
// reads every file in pieces of the same size, looking at no byte: over 200 MB of text files
// of mixed sizes and one file of more than 2 GiB. Also shows the most memory the process held.

#include "BareRead.h"
#include "ContentTree.h"
#include "Figures.h"
#include "PeakMemory.h"
#include "Stopwatch.h"

#include "Application.h"
#include "ContentSearch.h"
#include "FileGrep.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

// Timed rounds of each loop; the best one counts.
constexpr int Rounds = 8;
const char Needle[] = "KOVQuillet content needle";

struct TTimes {
  double Search;
  double Bare;
};

// Alternates search and bare loop, each first in every other round, so that both meet the
// same load from the rest of the machine. The first round is not timed: it warms the file
// system cache.
TTimes BestTimes(const TContentTree& tree, TFileGrep& grep) {
  TBareRead bare(TContentSearch::DefaultPieceSize);
  TBestTime searchBest;
  TBestTime bareBest;
  for (int round = 0; round <= Rounds; ++round) {
    double searchSeconds = 0;
    double bareSeconds = 0;
    std::uint64_t bytes = 0;
    const auto search = [&] { searchSeconds = SecondsOf([&] { grep.Start(); }); };
    const auto read = [&] { bareSeconds = SecondsOf([&] { bytes = bare.Run(tree.Root()); }); };
    if (round % 2 == 0) {
      search();
      read();
    } else {
      read();
      search();
    }
    if (grep.FoundList().Count() != tree.NeedleCount()) {
      throw std::runtime_error("The search found " + std::to_string(grep.FoundList().Count()) +
                               " files instead of " + std::to_string(tree.NeedleCount()));
    }
    if (bytes != tree.Bytes()) {
      throw std::runtime_error("The bare loop read " + std::to_string(bytes) +
                               " bytes instead of " + std::to_string(tree.Bytes()));
    }
    if (round > 0) {
      searchBest.Add(searchSeconds);
      bareBest.Add(bareSeconds);
    }
  }
  return {searchBest.Seconds(), bareBest.Seconds()};
}

// The suffix tells one kind of search from the other.
void Report(const std::string& suffix, const TTimes& times, double bytes) {
  PrintFigure("content_search" + suffix + "_time", times.Search * 1000, 0, "ms");
  PrintFigure("bare_read" + suffix + "_time", times.Bare * 1000, 0, "ms");
  PrintFigure("content_search" + suffix + "_rate", bytes / times.Search / 1e6, 0, "MB/s");
  PrintFigure("content_search" + suffix + "_ratio", times.Search / times.Bare, 3, "x");
}

void Run() {
  const TContentTree tree(Needle);
  PrintFigure("content_tree_files", tree.FileCount(), 0, "files");
  PrintFigure("content_tree_mb", static_cast<double>(tree.Bytes()) / 1e6, 0, "MB");

  TFileGrep grep(nullptr);
  grep.SetThreadedSearch(false);
  grep.SetDirs(tree.Root());
  grep.SetFileMasks("*");
  grep.SetContent(Needle);
  const double bytes = static_cast<double>(tree.Bytes());
  Report("", BestTimes(tree, grep), bytes);

  grep.SetContent("kovquillet CONTENT Needle");
  grep.SetCaseSensitiveContent(false);
  Report("_ignore_case", BestTimes(tree, grep), bytes);

  const TPeakMemory memory = PeakMemory();
  PrintFigure("content_search_peak_mb", std::max(memory.WorkingSetMb, memory.PagefileMb), 1, "MB");
}

} // namespace

int main() {
  try {
    // The engine pumps the UI thread's messages, which takes the application object.
    TApplication application;
    Run();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_content: %s\n", error.what());
    return 1;
  }
}
