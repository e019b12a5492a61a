#pragma once

#include <string>

// Prints one figure as a line "BENCH <name> <value> <unit>", which is what the benchmark
// runner collects; decimals is the number of digits after the point.
void PrintFigure(const std::string& name, double value, int decimals, const std::string& unit);
