#pragma once

#include <string>
#include <vector>

// Result rows such as a search of a system folder gives: 18 cells each, names, versions,
// dates and sizes of varied lengths, a third of them without version strings. The same
// seed gives the same rows.
std::vector<std::vector<std::string>> MakeReportRows(int count, unsigned seed);
