#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The keys of the string tables ("040904E4", ...) that a version block holds, in their order,
// from the block as GetFileVersionInfoA returns it: the 32-bit layout with wide keys, or the
// 16-bit one with ANSI keys. None when a length within the first four levels of the block
// (the levels VerQueryValueA walks for this program's queries) points outside its parent or
// the buffer; such a block must not be queried at all.
std::optional<std::vector<std::string>> StringTableKeys(const char* block, std::size_t size);
