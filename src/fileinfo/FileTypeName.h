#pragma once

#include <string>

// The name's extension: the text from its last "." to the end, dot included, when no "\" or
// ":" follows that dot; otherwise empty.
std::string FileExtension(const std::string& name);

// The type name shown when the shell has none for a file: its extension with ASCII letters in
// capitals, then "-Files" (".XYZ-Files" for report.xyz, "-Files" without an extension).
std::string FallbackTypeName(const std::string& name);
