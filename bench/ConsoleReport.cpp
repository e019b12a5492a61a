#include "ConsoleReport.h"

#include "PeakMemory.h"
#include "Stopwatch.h"

#include "Paths.h"
#include "UniqueHandle.h"

#include <algorithm>
#include <stdexcept>

namespace {

int ReportRows(const std::string& reportFile) {
  const TFileHandle file(CreateFileA(reportFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  int lines = 0;
  char buffer[1 << 16];
  DWORD read = 0;
  while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    lines += static_cast<int>(std::count(buffer, buffer + read, '\n'));
  }
  return lines - 1;
}

} // namespace

TConsoleReport RunConsoleReport(const std::vector<std::string>& folders,
                                const std::string& reportFile, const std::string& options,
                                DWORD expectedExit) {
  const std::string program = ModuleFileName();
  const std::string folder = program.substr(0, LastDelimiter(program, "\\") + 1);
  std::string commandLine = "\"";
  commandLine += folder + "quillet.exe\" -q -r " + options + " -o \"" + reportFile + "\"";
  for (const std::string& searched : folders) {
    commandLine += " \"" + searched + "\"";
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  TConsoleReport report;
  DWORD exitCode = MAXDWORD;
  report.Seconds = SecondsOf([&] {
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
      return;
    }
    // The peak is read while the program runs: an ended process tells nothing of it here.
    while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
      report.PeakMb = std::max(report.PeakMb, PeakMemory(process.hProcess).WorkingSetMb);
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
  });
  const TKernelHandle child(process.hProcess);
  const TKernelHandle thread(process.hThread);
  if (exitCode != expectedExit) {
    throw std::runtime_error("quillet.exe ended with " + std::to_string(exitCode));
  }
  report.Rows = ReportRows(reportFile);
  return report;
}
