// Times the console program's SHA-256 digests over the content benchmark's tree against a
// bare loop that reads every file in the same pieces and hashes it with the same provider,
// with the most memory the program held; then how many system modules a second the
// signature reader verifies.

#include "BareHash.h"
#include "ConsoleReport.h"
#include "ContentTree.h"
#include "Figures.h"
#include "FindEntries.h"
#include "Stopwatch.h"

#include "FileDigests.h"
#include "SignatureFacts.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

// Timed rounds of each; the best one counts. The first round is not timed: it warms the
// file system cache.
constexpr int Rounds = 3;

void PrintHashFigures() {
  const TContentTree tree("KOVQuillet content needle");
  const std::string report = tree.Root() + "\\..\\hash-report.csv";
  TBareHash bare(TFileDigests::PieceSize);
  TBestTime programBest;
  TBestTime bareBest;
  double peakMb = 0;
  for (int round = 0; round <= Rounds; ++round) {
    const TConsoleReport run = RunConsoleReport({tree.Root()}, report, "-f csv --hash sha256");
    std::uint64_t bytes = 0;
    const double bareSeconds = SecondsOf([&] { bytes = bare.Run(tree.Root()); });
    if (run.Rows < tree.FileCount() || bytes != tree.Bytes()) {
      throw std::runtime_error("The runs did not see the whole tree");
    }
    if (round > 0) {
      programBest.Add(run.Seconds);
      bareBest.Add(bareSeconds);
    }
    peakMb = std::max(peakMb, run.PeakMb);
  }
  DeleteFileA(report.c_str());
  PrintFigure("hash_tree_mb", static_cast<double>(tree.Bytes()) / 1e6, 0, "MB");
  PrintFigure("hash_sha256_time", programBest.Seconds() * 1000, 0, "ms");
  PrintFigure("bare_hash_time", bareBest.Seconds() * 1000, 0, "ms");
  PrintFigure("hash_sha256_ratio", programBest.Seconds() / bareBest.Seconds(), 3, "x");
  PrintFigure("hash_peak_mb", peakMb, 1, "MB");
}

void PrintSignatureFigures() {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::vector<std::string> modules;
  for (const char* mask : {"\\*.dll", "\\*.exe"}) {
    ForEachEntry((std::string(system) + mask).c_str(), [&](const WIN32_FIND_DATAA& entry) {
      modules.push_back(std::string(system) + "\\" + entry.cFileName);
    });
  }
  TSignatureReader signatures;
  std::size_t valid = 0;
  const double seconds = SecondsOf([&] {
    for (const std::string& module : modules) {
      valid += signatures.Read(module).Verdict == "Valid";
    }
  });
  PrintFigure("signature_modules", static_cast<double>(modules.size()), 0, "files");
  PrintFigure("signatures_valid", static_cast<double>(valid), 0, "files");
  PrintFigure("signatures_per_second", static_cast<double>(modules.size()) / seconds, 0, "files/s");
}

} // namespace

int main() {
  try {
    PrintHashFigures();
    PrintSignatureFigures();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_trust: %s\n", error.what());
    return 1;
  }
}
