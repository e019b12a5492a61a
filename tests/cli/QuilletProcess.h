#pragma once

#include <windows.h>

#include <string>

// What a run of the console program gave.
struct TQuilletRun {
  DWORD ExitCode = 0;
  std::string Output;
  std::string Errors;
};

// Runs quillet.exe, copied beside the test program, with the arguments (quoted as a command
// line) and handles that collect its standard output and error; waits at most a minute.
TQuilletRun RunQuillet(const std::string& arguments);

// The whole content of a file; "<missing>" when it cannot be read.
std::string FileBytes(const std::string& path);
