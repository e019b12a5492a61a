#pragma once

#include <string>

// The text of the ANSI code page in UTF-8.
std::string AnsiToUtf8(const std::string& text);
// The UTF-8 text in the ANSI code page.
std::string Utf8ToAnsi(const std::string& text);
