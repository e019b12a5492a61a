#pragma once

#include "Strings.h"

#include <shlobj.h>

#include <string>

// The text a shell call handed back in a STRRET, for the item list it describes; a wide
// string the shell allocated is freed with the shell's allocator.
std::string StrRetText(STRRET& value, LPCITEMIDLIST item);
