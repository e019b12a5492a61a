#include "CompactRows.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

constexpr std::size_t HeaderWords = 2;

const char* Bytes(const std::uint32_t* block) {
  return reinterpret_cast<const char*>(block + HeaderWords + block[0]);
}

} // namespace

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
  const auto count = static_cast<std::uint32_t>(texts.size());
  std::vector<std::uint32_t> indexes(count);
  std::size_t bytes = 0;
  for (std::uint32_t column = 0; column < count; ++column) {
    const bool shared = column < 32 && (sharedMask >> column & 1) != 0;
    if (shared) {
      indexes[column] = SharedText(texts[column]);
    }
    bytes += shared ? sizeof(std::uint32_t) : texts[column].size();
  }
  const std::size_t words = HeaderWords + count + (bytes + 3) / 4;
  TBlock block(new std::uint32_t[words]);
  block[0] = count;
  block[1] = sharedMask;
  char* const text = reinterpret_cast<char*>(block.get() + HeaderWords + count);
  std::uint32_t end = 0;
  for (std::uint32_t column = 0; column < count; ++column) {
    if (column < 32 && (sharedMask >> column & 1) != 0) {
      std::memcpy(text + end, &indexes[column], sizeof(std::uint32_t));
      end += sizeof(std::uint32_t);
    } else {
      std::memcpy(text + end, texts[column].data(), texts[column].size());
      end += static_cast<std::uint32_t>(texts[column].size());
    }
    block[HeaderWords + column] = end;
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
  if (column >= block[0] || column >= 32 || (block[1] >> column & 1) == 0) {
    return -1;
  }
  const std::uint32_t start = column == 0 ? 0 : block[HeaderWords + column - 1];
  std::uint32_t index;
  std::memcpy(&index, Bytes(block) + start, sizeof index);
  return index;
}

std::string_view TCompactRows::Text(std::size_t row, std::size_t column) const {
  if (row >= FRows.size() || column >= FRows[row][0]) {
    return {};
  }
  if (const std::int64_t shared = SharedIndex(row, column); shared >= 0) {
    return FShared[static_cast<std::size_t>(shared)];
  }
  const std::uint32_t* block = FRows[row].get();
  const std::uint32_t start = column == 0 ? 0 : block[HeaderWords + column - 1];
  return {Bytes(block) + start, block[HeaderWords + column] - start};
}

std::vector<std::string> TCompactRows::Texts(std::size_t row) const {
  std::vector<std::string> texts;
  const std::size_t count = row < FRows.size() ? FRows[row][0] : 0;
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

std::vector<std::size_t> TCompactRows::SortByKeys(const std::vector<std::string>& keys,
                                                  bool descending) {
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
