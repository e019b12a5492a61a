// Times the result rows: a search through the real main window, its found handler filling
// the real list view, over the walk benchmark's tree of 50,000 small files and the system's
// PE modules, and the console program over the same folders, against a bare loop of
// GetFileVersionInfoSizeA over the same entries. With --profile it shows instead where a
// row's time goes.

#include "BenchTree.h"
#include "CallProfile.h"
#include "ConsoleReport.h"
#include "Figures.h"
#include "PeakMemory.h"
#include "PumpGaps.h"
#include "Stopwatch.h"
#include "VersionSizeLoop.h"
#include "WindowSearch.h"

#include "Application.h"
#include "OleSession.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Wine's own 64-bit modules. The folder holds fewer than a thousand, so the system folder,
// where a Wine prefix keeps copies of them and more, is searched too.
const char WineModules[] = "Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows";

std::string SystemFolder() {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, length);
}

bool FolderExists(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folders searched after the first: the modules.
std::vector<std::string> ModuleFolderList() {
  std::vector<std::string> folders;
  for (const std::string& modules : {std::string(WineModules), SystemFolder()}) {
    if (FolderExists(modules)) {
      folders.push_back(modules);
    }
  }
  return folders;
}

std::string ModuleFolders() {
  std::string folders;
  for (const std::string& modules : ModuleFolderList()) {
    folders += ';' + modules;
  }
  return folders;
}

// Where a row's time goes, by the system calls the window makes, over a tenth of the tree
// and the modules.
void Profile(const TBenchTree& tree) {
  TWindowSearch search;
  const TfrmQuilletMain& form = search.Form();
  const TCallProfile profile(form.ListView->Handle(), form.StatusBar1->Handle());
  const double seconds = search.Run(tree.Root() + "\\folder0" + ModuleFolders());
  PrintFigure("profile_rows", search.RowCount(), 0, "rows");
  profile.Print(search.RowCount(), seconds);
}

void Measure(const TBenchTree& tree) {
  const std::string folders = tree.Root() + ModuleFolders();
  const std::vector<std::string> entries = ListedEntries(folders);
  PrintFigure("rows_entries", static_cast<double>(entries.size()), 0, "entries");

  // The bare loop runs before, between and after the window's two searches, so that both
  // meet the same file system cache and the same load of the machine; the best time of
  // each counts.
  const TVersionSizeLoop first = VersionSizeLoop(entries);
  PrintFigure("rows_versioned_files", first.Versioned, 0, "files");
  TWindowSearch search;
  double rowSeconds = search.Run(folders);
  const TVersionSizeLoop between = VersionSizeLoop(entries);
  double longestGap = 0;
  {
    const TPumpGaps gaps;
    rowSeconds = std::min(rowSeconds, search.Run(folders));
    longestGap = gaps.LongestMs();
  }
  const int rows = search.RowCount();
  const TPeakMemory memory = PeakMemory();
  const TVersionSizeLoop second = VersionSizeLoop(entries);
  // The console program over the same folders, twice, with the bare loop once more between.
  std::vector<std::string> consoleFolders = ModuleFolderList();
  consoleFolders.insert(consoleFolders.begin(), tree.Root());
  const std::string reportFile = tree.Root() + ".report.txt";
  TConsoleReport console = RunConsoleReport(consoleFolders, reportFile);
  const TVersionSizeLoop third = VersionSizeLoop(entries);
  const TConsoleReport again = RunConsoleReport(consoleFolders, reportFile);
  DeleteFileA(reportFile.c_str());
  console.Seconds = std::min(console.Seconds, again.Seconds);
  console.PeakMb = std::max(console.PeakMb, again.PeakMb);
  if (console.Rows != static_cast<int>(entries.size())) {
    throw std::runtime_error("The console program listed " + std::to_string(console.Rows) +
                             " rows instead of " + std::to_string(entries.size()));
  }
  if (rows != static_cast<int>(entries.size())) {
    throw std::runtime_error("The window listed " + std::to_string(rows) + " rows instead of " +
                             std::to_string(entries.size()));
  }
  const double bareSeconds =
      std::min({first.Seconds, between.Seconds, second.Seconds, third.Seconds});

  PrintFigure("rows_count", rows, 0, "rows");
  PrintFigure("rows_time", rowSeconds, 2, "s");
  PrintFigure("bare_version_size_time", bareSeconds, 2, "s");
  PrintFigure("rows_per_second", rows / rowSeconds, 0, "rows/s");
  PrintFigure("bare_version_size_per_second", rows / bareSeconds, 0, "files/s");
  PrintFigure("rows_version_read_ratio", rowSeconds / bareSeconds, 3, "x");
  PrintFigure("ui_max_gap_ms", longestGap, 1, "ms");
  PrintFigure("peak_working_set_mb", memory.WorkingSetMb, 1, "MB");
  PrintFigure("cli_rows_time", console.Seconds, 2, "s");
  PrintFigure("cli_rows_ratio", console.Seconds / bareSeconds, 3, "x");
  PrintFigure("cli_peak_mb", console.PeakMb, 1, "MB");
  PrintFigure("peak_pagefile_usage_mb", memory.PagefileMb, 1, "MB");
}

} // namespace

int main(int argc, char** argv) {
  try {
    // The shell's file queries need OLE on this thread, as the program starts it.
    const TOleSession ole;
    TApplication application;
    const TBenchTree tree;
    if (argc > 1 && std::string(argv[1]) == "--profile") {
      Profile(tree);
    } else {
      Measure(tree);
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_rows: %s\n", error.what());
    return 1;
  }
}
