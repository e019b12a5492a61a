#include "ListRows.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

void TListRows::Add(const std::vector<std::string>& cells, int image) {
  FTexts.Add(cells);
  FImages.push_back(image);
}

void TListRows::Erase(std::size_t row) {
  if (row < FImages.size()) {
    FTexts.Erase(row);
    FImages.erase(FImages.begin() + static_cast<std::ptrdiff_t>(row));
  }
}

void TListRows::Clear() {
  FTexts.Clear();
  FImages.clear();
}

std::vector<std::size_t> TListRows::Sort(std::size_t column, TSortKeyOf keyOf, bool ascending) {
  // A key for each text, worked out once for a text that many rows share.
  std::unordered_map<std::int64_t, std::string> sharedKeys;
  TSortKeys keys;
  keys.Reserve(Count());
  for (std::size_t row = 0; row < Count(); ++row) {
    const std::int64_t shared = FTexts.SharedIndex(row, column);
    if (shared < 0) {
      keys.Add(keyOf(std::string(Text(row, column))));
      continue;
    }
    auto [entry, added] = sharedKeys.try_emplace(shared);
    if (added) {
      entry->second = keyOf(std::string(Text(row, column)));
    }
    keys.Add(entry->second);
  }
  const std::vector<std::size_t> order = FTexts.SortByKeys(keys, !ascending);
  std::vector<int> images;
  images.reserve(order.size());
  for (const std::size_t row : order) {
    images.push_back(FImages[row]);
  }
  FImages = std::move(images);
  return order;
}

int TListRows::FindCaption(const std::string& text, std::size_t start, bool partial,
                           bool wrap) const {
  const std::size_t count = Count();
  const std::size_t tries = wrap ? count : (start < count ? count - start : 0);
  for (std::size_t tried = 0; tried < tries; ++tried) {
    const std::size_t row = (start + tried) % count;
    const std::string_view caption = Text(row, 0);
    const std::size_t compared = partial ? std::min(caption.size(), text.size()) : caption.size();
    // The system's comparison, so that letters outside ASCII match in either case too.
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(),
                       static_cast<int>(compared), text.data(),
                       static_cast<int>(text.size())) == CSTR_EQUAL) {
      return static_cast<int>(row);
    }
  }
  return -1;
}
