#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>

#include <map>
#include <string>
#include <vector>

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

// A file built beside the test program.
std::string FixturePath(const std::string& name);

// The text cut at each end mark, without the marks; a last piece without one is left out.
std::vector<std::string> Lines(const std::string& text, const std::string& end);

// The rows of a JSON run, by file name.
std::map<std::string, nlohmann::json> JsonRows(const std::string& output);
