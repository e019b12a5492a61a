#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One run of the console program over the folders, writing its report to a file.
struct TConsoleReport {
  double Seconds = 0;
  double PeakMb = 0;
  // The report's lines less the header.
  int Rows = 0;
};

// Runs quillet.exe, built beside the benchmark, quietly and with subfolders, with the further
// options given ("-f csv", say); raises an error when it does not end with the status given.
TConsoleReport RunConsoleReport(const std::vector<std::string>& folders,
                                const std::string& reportFile, const std::string& options = "",
                                DWORD expectedExit = 0);
