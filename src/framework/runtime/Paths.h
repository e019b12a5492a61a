#pragma once

#include <windows.h>

#include <string>

// The full path of the program's own file.
std::string ModuleFileName();
// The program's file name without its folder and extension ("KOVQuillet").
std::string ProgramName();

// The index of the last character of the text that is one of the delimiters, or npos. It
// reads characters of the code page, not bytes: in a double-byte code page the second byte
// of a character may be 0x5C, the byte of a backslash.
std::size_t LastDelimiter(const std::string& text, const char* delimiters, UINT codePage = CP_ACP);
// The index of the first such character at or after start (which begins a character), or
// npos.
std::size_t NextDelimiter(const std::string& text, const char* delimiters, std::size_t start,
                          UINT codePage = CP_ACP);
// The path's last name: what follows its last "\", "/" or ":", in characters of the code page.
std::string ExtractFileName(const std::string& path, UINT codePage = CP_ACP);
// Whether the last character of the text is a backslash, in characters of the code page.
bool EndsWithBackslash(const std::string& text, UINT codePage = CP_ACP);
