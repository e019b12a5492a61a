// The window and the console program at whole-disk scale: a tree of 505,050 entries (fifty
// folders of a hundred folders of a hundred one-byte files), searched by the window and by
// quillet.exe as CSV, unsorted and sorted, with the peak memory and the bytes a row costs
// each; quillet.exe's comparison with a baseline of the tree once 1% of it changed; and the
// window's sorts of all its rows by "Name" and by "Size". `make bench-scale` runs it; it
// takes some minutes.

#include "CallProfile.h"
#include "ConsoleReport.h"
#include "Figures.h"
#include "HeaderClick.h"
#include "PeakMemory.h"
#include "Stopwatch.h"
#include "TemporaryFolder.h"
#include "WindowSearch.h"

#include "Application.h"
#include "OleSession.h"
#include "ResultColumns.h"
#include "UniqueHandle.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

constexpr int Groups = 50;
constexpr int FoldersPerGroup = 100;
constexpr int FilesPerFolder = 100;

// Makes the tree; answers its entries, folders included.
int MakeTree(const std::string& root) {
  int entries = 0;
  for (int group = 0; group < Groups; ++group) {
    const std::string groupFolder = root + "\\group" + std::to_string(group);
    CreateDirectoryA(groupFolder.c_str(), nullptr);
    ++entries;
    for (int folder = 0; folder < FoldersPerGroup; ++folder) {
      const std::string path = groupFolder + "\\folder" + std::to_string(folder);
      CreateDirectoryA(path.c_str(), nullptr);
      ++entries;
      for (int file = 0; file < FilesPerFolder; ++file) {
        const std::string name = path + "\\file" + std::to_string(file) + ".dat";
        const TFileHandle handle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!handle || !WriteFile(handle.get(), "x", 1, &written, nullptr)) {
          throw std::runtime_error("Cannot create file " + name);
        }
        ++entries;
      }
    }
  }
  return entries;
}

double BytesPerRow(double megabytes, int rows) {
  return megabytes * 1024 * 1024 / rows;
}

// Writes a second byte to the first file of each folder: one file in a hundred changes its
// size and last-write time. Answers how many.
int ChangeOnePercent(const std::string& root) {
  int changed = 0;
  for (int group = 0; group < Groups; ++group) {
    for (int folder = 0; folder < FoldersPerGroup; ++folder) {
      const std::string name = root + "\\group" + std::to_string(group) + "\\folder" +
                               std::to_string(folder) + "\\file0.dat";
      const TFileHandle handle(CreateFileA(name.c_str(), FILE_APPEND_DATA, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      DWORD written = 0;
      if (!handle || !WriteFile(handle.get(), "y", 1, &written, nullptr)) {
        throw std::runtime_error("Cannot change file " + name);
      }
      ++changed;
    }
  }
  return changed;
}

// The console program's comparison of the tree with a baseline of it, once one file in a
// hundred changed: its pace and peak, and what the baseline costs a row beyond the streaming
// run.
void MeasureDrift(const std::string& root, int entries, const TConsoleReport& streaming) {
  const std::string baseline = root + ".json";
  const std::string drift = root + "-drift.json";
  RunConsoleReport({root}, baseline, "-f json");
  const int changed = ChangeOnePercent(root);
  const TConsoleReport compare =
      RunConsoleReport({root}, drift, "-f json --compare \"" + baseline + "\"", 1);
  DeleteFileA(baseline.c_str());
  DeleteFileA(drift.c_str());
  // JSON Lines have no header line.
  if (compare.Rows + 1 != changed) {
    throw std::runtime_error("The comparison found " + std::to_string(compare.Rows + 1) +
                             " changes instead of " + std::to_string(changed));
  }
  PrintFigure("compare_rows_per_second", entries / compare.Seconds, 0, "rows/s");
  PrintFigure("compare_peak_mb", compare.PeakMb, 1, "MB");
  PrintFigure("compare_bytes_per_row", BytesPerRow(compare.PeakMb - streaming.PeakMb, entries), 0,
              "B");
}

double SortSeconds(const TfrmQuilletMain& form, int column) {
  return SecondsOf([&] { ClickHeader(form, column); });
}

void Measure() {
  const TTemporaryFolder tree("KOVQuilletScaleBench");
  const int entries = MakeTree(tree.Path());
  PrintFigure("scale_entries", entries, 0, "entries");
  const std::string reportFile = tree.Path() + ".csv";

  // The console program first, while this process holds no rows.
  const TConsoleReport unsorted = RunConsoleReport({tree.Path()}, reportFile, "-f csv");
  const TConsoleReport sorted = RunConsoleReport({tree.Path()}, reportFile, "-f csv --sort Name");
  DeleteFileA(reportFile.c_str());
  for (const TConsoleReport* run : {&unsorted, &sorted}) {
    if (run->Rows != entries) {
      throw std::runtime_error("The console program listed " + std::to_string(run->Rows) +
                               " rows instead of " + std::to_string(entries));
    }
  }

  MeasureDrift(tree.Path(), entries, unsorted);

  const double before = PeakMemory().WorkingSetMb;
  TWindowSearch search;
  const double windowSeconds = search.Run(tree.Path());
  const double windowPeak = PeakMemory().WorkingSetMb;
  if (search.RowCount() != entries) {
    throw std::runtime_error("The window listed " + std::to_string(search.RowCount()) +
                             " rows instead of " + std::to_string(entries));
  }
  // From the window's first state a click on "Name" sorts ascending.
  const double sortName = SortSeconds(search.Form(), NameColumn);
  const double sortSize = SortSeconds(search.Form(), SizeColumn);

  PrintFigure("scale_window_s", windowSeconds, 2, "s");
  PrintFigure("scale_cli_s", unsorted.Seconds, 2, "s");
  PrintFigure("scale_window_to_cli_ratio", windowSeconds / unsorted.Seconds, 3, "x");
  PrintFigure("scale_window_peak_mb", windowPeak, 1, "MB");
  PrintFigure("scale_window_bytes_per_row", BytesPerRow(windowPeak - before, entries), 0, "B");
  PrintFigure("scale_cli_peak_mb", unsorted.PeakMb, 1, "MB");
  PrintFigure("scale_cli_bytes_per_row", BytesPerRow(unsorted.PeakMb, entries), 1, "B");
  PrintFigure("scale_cli_sorted_peak_mb", sorted.PeakMb, 1, "MB");
  // What the rows held for the sort take beyond what the streaming run needs.
  PrintFigure("scale_cli_sorted_bytes_per_row",
              BytesPerRow(sorted.PeakMb - unsorted.PeakMb, entries), 0, "B");
  PrintFigure("scale_sort_name_s", sortName, 2, "s");
  PrintFigure("scale_sort_size_s", sortSize, 2, "s");
}

// Where a row's time goes in the window at this scale, by the system calls it makes.
void Profile() {
  const TTemporaryFolder tree("KOVQuilletScaleBench");
  MakeTree(tree.Path());
  TWindowSearch search;
  const TfrmQuilletMain& form = search.Form();
  const TCallProfile profile(form.ListView->Handle(), form.StatusBar1->Handle());
  const double seconds = search.Run(tree.Path());
  PrintFigure("profile_rows", search.RowCount(), 0, "rows");
  profile.Print(search.RowCount(), seconds);
}

} // namespace

int main(int argc, char* argv[]) {
  try {
    // The shell's file queries need OLE on this thread, as the program starts it.
    const TOleSession ole;
    TApplication application;
    if (argc > 1 && std::string(argv[1]) == "--profile") {
      Profile();
    } else {
      Measure();
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_scale: %s\n", error.what());
    return 1;
  }
}
