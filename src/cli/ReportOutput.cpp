#include "ReportOutput.h"

#include "FileHead.h"
#include "Paths.h"
#include "Strings.h"

#include <windows.h>

#include <stdexcept>

namespace {

// Enough that a write costs little, little enough to stay out of the memory figures.
constexpr std::size_t BufferSize = 1 << 20;

bool IsProgramImage(const std::string& fileName) {
  const std::optional<std::string> head = ReadFileHead(fileName);
  return head && head->starts_with("MZ");
}

} // namespace

TReportOutput::TReportOutput(const std::string& fileName) : FFileName(fileName) {
  FBuffer.reserve(BufferSize);
  if (fileName.empty()) {
    return;
  }
  if (IsProgramImage(fileName)) {
    Fail("A program image is never replaced by a report");
  }
  if (IsProtectedFile(fileName)) {
    Fail("A read-only, hidden or system file is never replaced");
  }
  const std::size_t slash = LastDelimiter(fileName, "\\/:");
  const std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
  char temporary[MAX_PATH * 4] = {};
  if (GetTempFileNameA(folder.c_str(), "qlt", 0, temporary) == 0) {
    Fail(SystemErrorText(GetLastError()));
  }
  FTemporary = temporary;
  try {
    FFile.emplace(FTemporary);
  } catch (const std::exception& error) {
    DeleteFileA(FTemporary.c_str());
    FTemporary.clear();
    Fail(error.what());
  }
}

TReportOutput::~TReportOutput() {
  if (!FTemporary.empty()) {
    FFile.reset();
    DeleteFileA(FTemporary.c_str());
  }
}

void TReportOutput::Fail(const std::string& message) const {
  throw std::runtime_error(message + ": \"" + FFileName + "\"");
}

void TReportOutput::Write(const std::string& text) {
  FBuffer += text;
  if (FBuffer.size() >= BufferSize) {
    Flush();
  }
}

void TReportOutput::Flush() {
  if (FFile) {
    try {
      FFile->WriteBuffer(FBuffer.data(), FBuffer.size());
    } catch (const std::exception& error) {
      Fail(error.what());
    }
    FBuffer.clear();
    return;
  }
  // Bytes as they are: no text mode stands between the report and the pipe or file.
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  std::size_t done = 0;
  while (done < FBuffer.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(FBuffer.size() - done);
    if (!WriteFile(output, FBuffer.data() + done, chunk, &written, nullptr) || written == 0) {
      throw std::runtime_error("Cannot write to standard output");
    }
    done += written;
  }
  FBuffer.clear();
}

std::vector<std::string> TReportOutput::Files() const {
  if (FFileName.empty()) {
    return {};
  }
  return {FFileName, FTemporary};
}

void TReportOutput::Commit() {
  Flush();
  if (FTemporary.empty()) {
    return;
  }
  FFile.reset();
  if (!MoveFileExA(FTemporary.c_str(), FFileName.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    Fail(SystemErrorText(GetLastError()));
  }
  FTemporary.clear();
}
