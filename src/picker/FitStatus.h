#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The width a text takes on the status line, in the units of the available width.
using TTextWidth = std::function<int(const std::string& text)>;

// A folder path shortened from the left until it fits the width: leading folders give way to
// "...\" one by one, then the drive goes, and the last name (with its trailing "\", if any)
// always stays, fitting or not.
std::string ShortenFolderPath(const std::string& path, int width, const TTextWidth& measure,
                              UINT codePage = CP_ACP);
// Any other text cut at the right, character by character, with "..." after what is left.
std::string ShortenText(const std::string& text, int width, const TTextWidth& measure,
                        UINT codePage = CP_ACP);
