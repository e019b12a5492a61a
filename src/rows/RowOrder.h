#pragma once

#include <string>

// The order a header click sorts rows in: the system's word sort of the column's texts, as
// the user's locale collates them.
int CompareCellTexts(const std::string& first, const std::string& second);

// The key of a text in that order: keys compared byte by byte order their texts exactly as
// CompareCellTexts does, so that a sort of many rows compares prepared keys.
std::string CellSortKey(const std::string& text);
