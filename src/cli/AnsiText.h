#pragma once

#include <string>

// The text of the ANSI code page in UTF-8.
std::string AnsiToUtf8(const std::string& text);
