#include "CommandLine.h"
#include "ConsoleProgress.h"
#include "ConsoleThread.h"
#include "ReportFields.h"
#include "ReportFormats.h"
#include "ReportOutput.h"
#include "ReportRun.h"

namespace {

// What the program's end tells a script.
enum TExitStatus {
  ExitDone = 0,
  ExitFailed = 1, // anything unforeseen
  ExitUsage = 2,
  ExitMissingFolder = 3,
  ExitOutputFailed = 4,
  ExitUnreadable = 5,    // finished, but a folder could not be listed or a file read
  ExitNotSigned = 6,     // finished, but a program image listed is not validly signed
  ExitInterrupted = 130, // as a shell reports a program that Ctrl+C ended
};

int Run(const TReportOptions& options) {
  TConsoleThread console;
  TReportResult result;
  try {
    TReportOutput output(options.Output);
    const TRowFormat format{options.Format, WrittenFields(options.FieldGroups)};
    output.Write(FormatHeader(format));
    std::string line;
    const auto write = [&](const TReportRow& row) {
      line.clear();
      AppendFormattedRow(line, row, format);
      output.Write(line);
    };
    {
      TConsoleProgress progress(options.Quiet);
      result = RunReport(options, progress, write, output.Files());
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
  return result.NotValidlySigned == 0 ? ExitDone : ExitNotSigned;
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
