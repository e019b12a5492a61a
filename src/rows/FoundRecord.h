#pragma once

#include <string>

// Splits a found record, "<folder>\;<name>;", into the folder with its backslash and the
// name, whatever ";" either holds.
void SplitFoundRecord(const std::string& found, std::string& directory, std::string& name);
