#pragma once

#include <optional>
#include <string>
#include <string_view>

// The processor a PE image is built for, from its file header: "x86", "x64", "ARM", "ARM64",
// "IA64", or another machine value in hex ("0x01C2"); "AnyCPU" for a .NET image of IL alone,
// "AnyCPU32" for one that prefers a 32-bit process; empty for a file that is not a PE image. The
// head is the file's first bytes; the header is read from the file only when it lies beyond them.
std::string ImageMachine(const std::string& path, const std::optional<std::string>& head);
