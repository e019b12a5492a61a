#pragma once

#include <string>

// The order a header click sorts rows in: the system's word sort of the column's texts, as
// the user's locale collates them.
int CompareCellTexts(const std::string& first, const std::string& second);
