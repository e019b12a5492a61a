#pragma once

#include <string>

// Writes the report to the file, replacing it once the report is whole, or to standard
// output when the name is empty. An existing program image, or a read-only, hidden or
// system file, is never replaced. Raises an error whose message names the file when it
// cannot be written.
void WriteReportOutput(const std::string& fileName, const std::string& report);
