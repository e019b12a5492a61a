#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

// The shell's answers about one name, each from its own SHGetFileInfoA call.

// The shell's type name of the file; empty when the shell has none.
std::string ShellTypeName(const std::string& path);

// The name's index in the system image list; 0 when the shell cannot classify the name.
int ShellIconIndex(const std::string& path);

// The shell's small-icon system image list. It belongs to the shell: nobody here destroys it.
HIMAGELIST ShellSmallImageList();
