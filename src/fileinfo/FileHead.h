#pragma once

#include "SharedRead.h"

#include <optional>
#include <string>
#include <string_view>

// The first bytes of a file, read once for every question that only its header answers.
constexpr std::size_t FileHeadSize = 1024;

// Up to FileHeadSize bytes from the start of the file, fewer for a shorter file; none when
// the file cannot be opened or read (another program may hold it locked).
std::optional<std::string> ReadFileHead(const std::string& path);

// Whether a file with this head can hold a version resource the system reads: a PE or NE
// image ("MZ") or a file the system expands before reading it ("SZDD").
bool MayHoldVersionResource(std::string_view head);
