#include "Baseline.h"
#include "CommandLine.h"
#include "ConsoleProgress.h"
#include "ConsoleThread.h"
#include "Drift.h"
#include "ReportFields.h"
#include "ReportFormats.h"
#include "ReportOutput.h"
#include "ReportRun.h"

#include <optional>

namespace {

// What the program's end tells a script.
enum TExitStatus {
  ExitDone = 0,
  ExitDiffers = 1, // compared with a baseline: something differs, as diff says
  ExitFailed = 1,  // anything unforeseen
  ExitUsage = 2,
  ExitMissingFolder = 3,
  ExitOutputFailed = 4,
  ExitUnreadable = 5,    // finished, but a folder could not be listed or a file read
  ExitNotSigned = 6,     // finished, but a program image listed is not validly signed
  ExitInterrupted = 130, // as a shell reports a program that Ctrl+C ended
};

int Run(const TReportOptions& options) {
  // A baseline that cannot be used is refused before anything is searched or written.
  std::optional<TBaseline> baseline;
  try {
    if (!options.Compare.empty()) {
      baseline.emplace(options.Compare);
    }
  } catch (const std::exception& error) {
    WriteError(error.what());
    return ExitUsage;
  }
  TConsoleThread console;
  TReportResult result;
  std::size_t differences = 0;
  try {
    TReportOutput output(options.Output);
    TRowFormat format{options.Format, WrittenFields(options.FieldGroups), false, {}};
    std::optional<TDrift> drift;
    if (baseline) {
      drift.emplace(*baseline, format.Fields, options.Ignored);
      format.Drift = true;
      format.Compared = drift->Compared();
    }
    output.Write(FormatHeader(format));
    std::string line;
    const auto writeDrift = [&](const TDriftRow& row) {
      line.clear();
      AppendDriftRow(line, row, format);
      output.Write(line);
      ++differences;
    };
    const auto write = [&](const TReportRow& row) {
      if (drift) {
        if (const std::optional<TDriftRow> difference = drift->Compare(row)) {
          writeDrift(*difference);
        }
        return;
      }
      line.clear();
      AppendFormattedRow(line, row, format);
      output.Write(line);
    };
    std::vector<std::string> ownFiles = output.Files();
    if (baseline) {
      ownFiles.push_back(options.Compare);
    }
    {
      TConsoleProgress progress(options.Quiet);
      result = RunReport(options, progress, write, ownFiles);
    }
    // An interrupted search did not see what it did not reach: nothing of it is removed.
    if (drift && !result.Interrupted) {
      for (const TDriftRow& row : drift->Removed()) {
        writeDrift(row);
      }
    }
    output.Commit();
  } catch (const std::exception& error) {
    WriteError(error.what());
    return ExitOutputFailed;
  }
  for (const std::string& folder : result.MissingFolders) {
    WriteError("cannot read folder \"" + folder + "\": it does not exist or is not readable");
  }
  if (result.Interrupted) {
    return ExitInterrupted;
  }
  if (!result.MissingFolders.empty()) {
    return ExitMissingFolder;
  }
  if (result.Unreadable != 0) {
    return ExitUnreadable;
  }
  if (result.NotValidlySigned != 0) {
    return ExitNotSigned;
  }
  return differences == 0 ? ExitDone : ExitDiffers;
}

} // namespace

int main(int argc, char** argv) {
  try {
    const auto parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* help = std::get_if<THelpRequest>(&parsed)) {
      WriteStandard(STD_OUTPUT_HANDLE, help->Text);
      return ExitDone;
    }
    return Run(std::get<TReportOptions>(parsed));
  } catch (const EUsageError& error) {
    WriteError(error.what());
    WriteStandard(STD_ERROR_HANDLE, error.Usage());
    return ExitUsage;
  } catch (const std::exception& error) {
    WriteError(error.what());
    return ExitFailed;
  }
}
