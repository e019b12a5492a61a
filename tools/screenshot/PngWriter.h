#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 24-bit RGB pixels, rows top to bottom, as a PNG file; false when it cannot.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
