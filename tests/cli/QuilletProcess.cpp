#include "QuilletProcess.h"

#include "Paths.h"
#include "UniqueHandle.h"

namespace {

// A file that the child writes into and that goes when its handle is closed.
TFileHandle CaptureFile(const std::string& path) {
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  return TFileHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                                 CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

std::string Captured(const TFileHandle& file) {
  std::string bytes(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
  ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

} // namespace

TQuilletRun RunQuillet(const std::string& arguments) {
  const std::string program = ModuleFileName();
  const std::string folder = program.substr(0, LastDelimiter(program, "\\") + 1);
  const std::string stem = folder + "quillet-" + std::to_string(GetCurrentProcessId());
  const TFileHandle output = CaptureFile(stem + ".out");
  const TFileHandle errors = CaptureFile(stem + ".err");
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output.get();
  startup.hStdError = errors.get();
  std::string commandLine = "\"" + folder + "quillet.exe\" " + arguments;
  PROCESS_INFORMATION process = {};
  TQuilletRun run;
  run.ExitCode = MAXDWORD;
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &process)) {
    return run;
  }
  const TKernelHandle child(process.hProcess);
  const TKernelHandle thread(process.hThread);
  if (WaitForSingleObject(child.get(), 60000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(child.get(), &run.ExitCode);
  } else {
    TerminateProcess(child.get(), MAXDWORD);
  }
  run.Output = Captured(output);
  run.Errors = Captured(errors);
  return run;
}

std::string FileBytes(const std::string& path) {
  const TFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) {
    return "<missing>";
  }
  return Captured(file);
}

std::string FixturePath(const std::string& name) {
  const std::string program = ModuleFileName();
  return program.substr(0, LastDelimiter(program, "\\") + 1) + name;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, next; (next = text.find(end, at)) != std::string::npos;
       at = next + end.size()) {
    lines.push_back(text.substr(at, next - at));
  }
  return lines;
}

std::map<std::string, nlohmann::json> JsonRows(const std::string& output) {
  std::map<std::string, nlohmann::json> rows;
  for (const std::string& line : Lines(output, "\n")) {
    const nlohmann::json row = nlohmann::json::parse(line);
    rows[row["Name"].get<std::string>()] = row;
  }
  return rows;
}
