#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One file's version block in a heap buffer of exactly the size the system asks for, owned
// by this object and released with it, and the queries on that block. The queries write
// into the buffer (the ANSI forms convert the resource's text there), so they are not const.
// Each query answers what VerQueryValueA answers, except that a query the system could only
// answer by reading or writing outside the buffer, or whose answer lies partly outside it,
// answers none.
class TVersionBuffer {
public:
  // None when the file has no version block or it cannot be read.
  static std::optional<TVersionBuffer> Read(const std::string& path);
  // A buffer filled as GetFileVersionInfoA fills one.
  explicit TVersionBuffer(std::vector<char> bytes) : FBytes(std::move(bytes)) {}

  // The keys of the string tables a query can name, in the order the system meets them.
  std::vector<std::string> TableKeys() const;
  // Whether the system's walk finds the sub-block; its value aside.
  bool Has(const std::string& subBlock) const;

  // The text of a string value up to its first NUL; none when the value is missing.
  std::optional<std::string> Text(const std::string& subBlock);
  // The language and code page of the first translation entry.
  std::optional<std::pair<WORD, WORD>> FirstTranslation();
  std::optional<VS_FIXEDFILEINFO> FixedPart();

private:
  std::optional<std::string_view> Query(const std::string& subBlock);

  std::vector<char> FBytes;
};
