#include "ReportOutput.h"

#include "FileHead.h"
#include "FileStream.h"
#include "Paths.h"
#include "Strings.h"

#include <windows.h>

#include <stdexcept>

namespace {

bool IsProgramImage(const std::string& fileName) {
  const std::optional<std::string> head = ReadFileHead(fileName);
  return head && head->starts_with("MZ");
}

// The report goes to a new file beside the target, which takes the target's place only
// once it is whole: a run that fails or is interrupted leaves the last report as it was.
void WriteReportFile(const std::string& fileName, const std::string& report) {
  const std::string named = ": \"" + fileName + "\"";
  if (IsProgramImage(fileName)) {
    throw std::runtime_error("A program image is never replaced by a report" + named);
  }
  if (IsProtectedFile(fileName)) {
    throw std::runtime_error("A read-only, hidden or system file is never replaced" + named);
  }
  const std::size_t slash = LastDelimiter(fileName, "\\/:");
  const std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
  char temporary[MAX_PATH * 4] = {};
  if (GetTempFileNameA(folder.c_str(), "qlt", 0, temporary) == 0) {
    throw std::runtime_error(SystemErrorText(GetLastError()) + named);
  }
  try {
    TFileStream file(temporary);
    file.WriteBuffer(report.data(), report.size());
  } catch (const std::exception& error) {
    DeleteFileA(temporary);
    throw std::runtime_error(std::string(error.what()) + named);
  }
  if (!MoveFileExA(temporary, fileName.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD error = GetLastError();
    DeleteFileA(temporary);
    throw std::runtime_error(SystemErrorText(error) + named);
  }
}

} // namespace

void WriteReportOutput(const std::string& fileName, const std::string& report) {
  if (!fileName.empty()) {
    WriteReportFile(fileName, report);
    return;
  }
  // Bytes as they are: no text mode stands between the report and the pipe or file.
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  std::size_t done = 0;
  while (done < report.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(report.size() - done, 1 << 20));
    if (!WriteFile(output, report.data() + done, chunk, &written, nullptr) || written == 0) {
      throw std::runtime_error("Cannot write to standard output");
    }
    done += written;
  }
}
