#pragma once

#include <shlobj.h>

#include <string>

// The conversions at the boundary with the shell's wide functions, sized from their input
// so that a name of any length converts whole. Both use the ANSI code page.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const wchar_t* text);

// The text a shell call handed back in a STRRET, for the item list it describes; a wide
// string the shell allocated is freed with the shell's allocator.
std::string StrRetText(STRRET& value, LPCITEMIDLIST item);
