#pragma once

#include "SharedRead.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The first bytes of a file, read once for every question that only its header answers.
constexpr std::size_t FileHeadSize = 1024;

// Up to FileHeadSize bytes from the start of the file, fewer for a shorter file; none when
// the file cannot be opened or read (another program may hold it locked).
std::optional<std::string> ReadFileHead(const std::string& path);

// What reading a file's head gave: the head, or the system's error code why there is none.
struct TFileHeadRead {
  std::optional<std::string> Head;
  DWORD Error = ERROR_SUCCESS;
};

// ReadFileHead, with the error taken on the reading thread.
TFileHeadRead ReadFileHeadAndError(const std::string& path);

// Whether the version reader reads the head of a file of this size: a shorter file cannot
// hold the 64-byte header that every PE and NE image opens with.
constexpr bool HeadIsRead(std::int64_t size) {
  return size >= 64;
}

// The same for the entry a directory search found: never for a folder.
bool HeadIsReadFor(const WIN32_FIND_DATAA& entry);

// Whether a file with this head can hold a version resource the system reads: a PE or NE
// image ("MZ") or a file the system expands before reading it ("SZDD").
bool MayHoldVersionResource(std::string_view head);
