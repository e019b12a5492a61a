#include "ReportOutput.h"

#include "FileStream.h"

#include <windows.h>

#include <stdexcept>

void WriteReportOutput(const std::string& fileName, const std::string& report) {
  if (!fileName.empty()) {
    TFileStream file(fileName);
    try {
      file.WriteBuffer(report.data(), report.size());
    } catch (const std::exception& error) {
      throw std::runtime_error(std::string(error.what()) + ": \"" + fileName + "\"");
    }
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
