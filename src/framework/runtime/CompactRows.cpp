#include "CompactRows.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// A block's first word: the column count, and a flag for ends of four bytes rather than two,
// which only rows of more than 64 KB of text need.
constexpr std::size_t HeaderWords = 2;
constexpr std::uint32_t WideEnds = 0x10000;

std::uint32_t ColumnCount(const std::uint32_t* block) {
  return block[0] & 0xFFFF;
}

std::size_t EndSize(const std::uint32_t* block) {
  return (block[0] & WideEnds) != 0 ? 4 : 2;
}

const char* Ends(const std::uint32_t* block) {
  return reinterpret_cast<const char*>(block + HeaderWords);
}

// Where the column's bytes end, counted from the start of the texts.
std::uint32_t End(const std::uint32_t* block, std::size_t column) {
  if (EndSize(block) == 4) {
    std::uint32_t end;
    std::memcpy(&end, Ends(block) + 4 * column, 4);
    return end;
  }
  std::uint16_t end;
  std::memcpy(&end, Ends(block) + 2 * column, 2);
  return end;
}

std::uint32_t Start(const std::uint32_t* block, std::size_t column) {
  return column == 0 ? 0 : End(block, column - 1);
}

const char* Bytes(const std::uint32_t* block) {
  return Ends(block) + EndSize(block) * ColumnCount(block);
}

bool IsShared(std::uint32_t mask, std::size_t column) {
  return column < 32 && (mask >> column & 1) != 0;
}

} // namespace

void TSortKeys::Add(std::string_view key) {
  FBytes += key;
  FEnds.push_back(FBytes.size());
}

std::string_view TSortKeys::operator[](std::size_t row) const {
  const std::size_t start = row == 0 ? 0 : FEnds[row - 1];
  return std::string_view(FBytes).substr(start, FEnds[row] - start);
}

void TCompactRows::ShareColumn(std::size_t column) {
  if (column < 32) {
    FSharedMask |= std::uint32_t{1} << column;
  }
}

std::uint32_t TCompactRows::SharedText(std::string_view text) {
  const auto found = FSharedIndex.find(text);
  if (found != FSharedIndex.end()) {
    return found->second;
  }
  const auto index = static_cast<std::uint32_t>(FShared.size());
  FShared.emplace_back(text);
  FSharedIndex.emplace(FShared.back(), index);
  return index;
}

TCompactRows::TBlock TCompactRows::MakeBlock(const std::vector<std::string_view>& texts,
                                             std::uint32_t sharedMask) {
  // Empty texts at the end are not held: a column beyond the count reads as empty.
  std::size_t kept = std::min<std::size_t>(texts.size(), 0xFFFF);
  while (kept > 0 && texts[kept - 1].empty()) {
    --kept;
  }
  const auto count = static_cast<std::uint32_t>(kept);
  // An empty text of a shared column is held as none, not as an index.
  const auto heldShared = [&](std::uint32_t column) {
    return IsShared(sharedMask, column) && !texts[column].empty();
  };
  std::vector<std::uint32_t> indexes(count);
  std::size_t bytes = 0;
  for (std::uint32_t column = 0; column < count; ++column) {
    if (heldShared(column)) {
      indexes[column] = SharedText(texts[column]);
    }
    bytes += heldShared(column) ? sizeof(std::uint32_t) : texts[column].size();
  }
  const bool wide = bytes > 0xFFFF;
  const std::size_t endSize = wide ? 4 : 2;
  const std::size_t words = HeaderWords + (endSize * count + bytes + 3) / 4;
  TBlock block(new std::uint32_t[words]);
  block[0] = count | (wide ? WideEnds : 0);
  block[1] = sharedMask;
  char* const ends = reinterpret_cast<char*>(block.get() + HeaderWords);
  char* const text = ends + endSize * count;
  std::uint32_t end = 0;
  for (std::uint32_t column = 0; column < count; ++column) {
    if (heldShared(column)) {
      std::memcpy(text + end, &indexes[column], sizeof(std::uint32_t));
      end += sizeof(std::uint32_t);
    } else {
      std::memcpy(text + end, texts[column].data(), texts[column].size());
      end += static_cast<std::uint32_t>(texts[column].size());
    }
    if (wide) {
      std::memcpy(ends + 4 * column, &end, 4);
    } else {
      const auto narrow = static_cast<std::uint16_t>(end);
      std::memcpy(ends + 2 * column, &narrow, 2);
    }
  }
  return block;
}

void TCompactRows::Add(const std::vector<std::string>& texts) {
  FRows.push_back(MakeBlock({texts.begin(), texts.end()}, FSharedMask));
}

void TCompactRows::Erase(std::size_t row) {
  if (row < FRows.size()) {
    FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(row));
  }
}

void TCompactRows::Clear() {
  FRows.clear();
  FSharedIndex.clear();
  FShared.clear();
}

std::int64_t TCompactRows::SharedIndex(std::size_t row, std::size_t column) const {
  if (row >= FRows.size()) {
    return -1;
  }
  const std::uint32_t* block = FRows[row].get();
  if (column >= ColumnCount(block) || !IsShared(block[1], column) ||
      Start(block, column) == End(block, column)) {
    return -1;
  }
  std::uint32_t index;
  std::memcpy(&index, Bytes(block) + Start(block, column), sizeof index);
  return index;
}

std::string_view TCompactRows::Text(std::size_t row, std::size_t column) const {
  if (row >= FRows.size() || column >= ColumnCount(FRows[row].get())) {
    return {};
  }
  if (const std::int64_t shared = SharedIndex(row, column); shared >= 0) {
    return FShared[static_cast<std::size_t>(shared)];
  }
  const std::uint32_t* block = FRows[row].get();
  const std::uint32_t start = Start(block, column);
  return {Bytes(block) + start, End(block, column) - start};
}

std::vector<std::string> TCompactRows::Texts(std::size_t row) const {
  std::vector<std::string> texts;
  const std::size_t count = row < FRows.size() ? ColumnCount(FRows[row].get()) : 0;
  for (std::size_t column = 0; column < count; ++column) {
    texts.emplace_back(Text(row, column));
  }
  return texts;
}

void TCompactRows::SetText(std::size_t row, std::size_t column, std::string_view text) {
  if (row >= FRows.size()) {
    return;
  }
  std::vector<std::string> texts = Texts(row);
  if (column >= texts.size()) {
    texts.resize(column + 1);
  }
  texts[column] = text;
  FRows[row] = MakeBlock({texts.begin(), texts.end()}, FRows[row][1]);
}

std::vector<std::size_t> TCompactRows::SortByKeys(const TSortKeys& keys, bool descending) {
  std::vector<std::size_t> order(FRows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t first, std::size_t second) {
    return descending ? keys[second] < keys[first] : keys[first] < keys[second];
  });
  std::vector<TBlock> sorted;
  sorted.reserve(FRows.size());
  for (const std::size_t row : order) {
    sorted.push_back(std::move(FRows[row]));
  }
  FRows = std::move(sorted);
  return order;
}
