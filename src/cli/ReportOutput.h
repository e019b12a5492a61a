#pragma once

#include "FileStream.h"

#include <optional>
#include <string>
#include <vector>

// Where a report goes: standard output, or a file that the report replaces only once it is
// whole. The report is handed over in pieces as rows are found, and held back only until a
// buffer fills, so that its length costs no memory. Errors raised name the file.
class TReportOutput {
public:
  // Standard output when the name is empty. An existing program image, or a read-only,
  // hidden or system file, is never replaced: refused here, before anything is written.
  explicit TReportOutput(const std::string& fileName);
  // A report that was not committed leaves no trace, and the file it was to replace stays.
  ~TReportOutput();
  TReportOutput(const TReportOutput&) = delete;
  TReportOutput& operator=(const TReportOutput&) = delete;

  void Write(const std::string& text);
  // Writes the rest and puts the file in the target's place.
  void Commit();
  // The target and the file beside it that the report goes to first; none for standard
  // output.
  std::vector<std::string> Files() const;

private:
  void Flush();
  [[noreturn]] void Fail(const std::string& message) const;

  std::string FFileName;
  // The file beside the target that the report is written to.
  std::string FTemporary;
  std::optional<TFileStream> FFile;
  std::string FBuffer;
};
