#pragma once

#include "CompactRows.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A baseline refused: not JSON Lines of this program, or a path twice. The message names the
// line.
class EBaselineError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The rows of an earlier run's JSON Lines (quillet -f json), held as compactly as sorted rows,
// each found by its path as the file system compares names: letter case aside.
class TBaseline {
public:
  // Raises EBaselineError for a file that is not such JSON Lines, and std::runtime_error for
  // one that cannot be read.
  explicit TBaseline(const std::string& fileName);

  std::size_t Count() const { return FRows.Count(); }
  // Whether its rows have the field (an index of ReportFields).
  bool Has(std::size_t field) const;
  // The row of the path; none when the baseline has no such path.
  std::optional<std::size_t> Find(const std::string& path) const;
  // The field's value in the row, as text ("123", "true"); empty when the baseline lacks it.
  std::string Text(std::size_t row, std::size_t field) const;

private:
  static std::size_t PathField();
  void AddLine(const std::string& line, std::size_t number);
  void TakeFields(const std::vector<std::string>& keys);
  std::string DerivedPath(const std::vector<std::string>& texts) const;
  void IndexPaths(const std::vector<std::uint32_t>& lineNumbers);

  std::string FFileName;
  // Where each field's text is held: a column of the rows, or -1.
  std::vector<int> FColumnOfField;
  std::vector<std::string> FKeys;
  std::vector<std::size_t> FFieldOfColumn;
  std::size_t FPathColumn = 0;
  TCompactRows FRows;
  // The rows by the hash of their path's key, for a binary search.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> FIndex;
};

// What a path is matched by: its upper-case form, as the file system compares names.
std::string PathKey(const std::string& path);
