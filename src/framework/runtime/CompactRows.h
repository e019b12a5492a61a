#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The keys that rows sort by, one a row, held one after the other in one buffer.
class TSortKeys {
public:
  void Reserve(std::size_t rows) { FEnds.reserve(rows); }
  void Add(std::string_view key);
  std::string_view operator[](std::size_t row) const;

private:
  std::string FBytes;
  std::vector<std::size_t> FEnds;
};

// Rows of texts held in as little memory as a million rows need: each row is one block
// with its texts one after the other, and the texts of a shared column (a folder, a type)
// are held once however many rows show them. An empty text costs its end offset alone, and
// the empty texts that end a row nothing.
class TCompactRows {
public:
  std::size_t Count() const { return FRows.size(); }
  // Texts of the column are held once from the next row added on; columns 0 to 31.
  void ShareColumn(std::size_t column);
  void Add(const std::vector<std::string>& texts);
  void Erase(std::size_t row);
  void Clear();

  // Empty for a row or a column that is not there.
  std::string_view Text(std::size_t row, std::size_t column) const;
  void SetText(std::size_t row, std::size_t column, std::string_view text);
  std::vector<std::string> Texts(std::size_t row) const;

  // Reorders the rows by their keys (one a row, compared byte by byte), rows with equal keys
  // keeping their order; answers where each row came from: the row now at i was at order[i].
  std::vector<std::size_t> SortByKeys(const TSortKeys& keys, bool descending);

  // The index of a shared text in the column's store, for callers that work out something
  // once per distinct text; -1 for a text that is not shared.
  std::int64_t SharedIndex(std::size_t row, std::size_t column) const;

private:
  // A block: the column count, the mask of shared columns, the end of each column's bytes
  // (two bytes each, or four in a row of more than 64 KB), then the bytes; a shared
  // column's bytes are the index of its text in the store.
  using TBlock = std::unique_ptr<std::uint32_t[]>;
  TBlock MakeBlock(const std::vector<std::string_view>& texts, std::uint32_t sharedMask);
  std::uint32_t SharedText(std::string_view text);

  std::vector<TBlock> FRows;
  std::uint32_t FSharedMask = 0;
  // A deque, whose texts stay where they are as it grows: the index views them.
  std::deque<std::string> FShared;
  std::unordered_map<std::string_view, std::uint32_t> FSharedIndex;
};
