#include "Figures.h"

#include <cstdio>

void PrintFigure(const std::string& name, double value, int decimals, const std::string& unit) {
  std::printf("BENCH %s %.*f %s\n", name.c_str(), decimals, value, unit.c_str());
  // Seen at once, even when stdout is a pipe and the program fails later.
  std::fflush(stdout);
}
