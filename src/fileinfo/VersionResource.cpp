#include "VersionResource.h"

#include <windows.h>

#include <algorithm>

namespace {

// Offsets are aligned from the root, where every node the walk meets starts on a multiple of 4.
std::size_t Align4(std::size_t offset) {
  return (offset + 3) & ~std::size_t{3};
}

// The system ignores the case of the letters A to Z only.
std::size_t FoldCase(std::size_t c) {
  return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

} // namespace

TVersionResource::TVersionResource(const char* buffer, std::size_t size)
    : FBytes(reinterpret_cast<const unsigned char*>(buffer)), FSize(size) {
  // The system takes a fifth byte from ' ' to 0x7F (a signed char of at least ' ') for the
  // first letter of a 16-bit block's ANSI key; anything else is the type word of a 32-bit one.
  if (FSize > 4 && static_cast<signed char>(FBytes[4]) >= ' ') {
    FWide = false;
    FHeaderSize = 4;
    FUnitSize = 1;
  }
}

bool TVersionResource::Inside(std::size_t at, std::size_t count) const {
  return at <= FSize && count <= FSize - at;
}

bool TVersionResource::Word(std::size_t at, std::size_t& value) const {
  if (!Inside(at, 2)) {
    return false;
  }
  value = FBytes[at] | (FBytes[at + 1] << 8);
  return true;
}

bool TVersionResource::Unit(std::size_t at, std::size_t& value) const {
  if (FWide) {
    return Word(at, value);
  }
  if (!Inside(at, 1)) {
    return false;
  }
  value = FBytes[at];
  return true;
}

bool TVersionResource::Describe(std::size_t begin, TNode& node) const {
  std::size_t length = 0;
  std::size_t type = 0;
  if (!Word(begin, length) || !Word(begin + 2, node.ValueLength) ||
      (FWide && !Word(begin + 4, type))) {
    return false;
  }
  std::size_t at = begin + FHeaderSize;
  for (std::size_t c = 1; c != 0; at += FUnitSize) {
    if (!Unit(at, c)) {
      return false; // the key runs to the end of the buffer
    }
  }
  node.Begin = begin;
  node.End = begin + length;
  node.Value = Align4(at);
  // Any type but 0 counts characters of two bytes.
  node.Text = FWide && type != 0;
  node.Children = node.Value + Align4(node.ValueLength * (node.Text ? 2 : 1));
  return true;
}

TQueryReach TVersionResource::KeyIs(std::size_t node, std::string_view name) const {
  const std::size_t key = node + FHeaderSize;
  std::size_t c = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (!Unit(key + i * FUnitSize, c)) {
      return qrOutside;
    }
    if (FoldCase(c) != FoldCase(static_cast<unsigned char>(name[i]))) {
      return qrMissing;
    }
  }
  if (!Unit(key + name.size() * FUnitSize, c)) {
    return qrOutside;
  }
  return c == 0 ? qrFound : qrMissing;
}

TQueryReach TVersionResource::FindChild(std::size_t parent, std::string_view name,
                                        std::size_t& child) const {
  TNode node;
  if (!Describe(parent, node)) {
    return qrOutside;
  }
  // The children run while they start before the parent's end, or up to a length of 0.
  for (child = node.Children; child < node.End;) {
    const TQueryReach reach = KeyIs(child, name);
    if (reach != qrMissing) {
      return reach;
    }
    std::size_t length = 0;
    if (!Word(child, length)) {
      return qrOutside;
    }
    if (length == 0) {
      return qrMissing;
    }
    child += Align4(length);
  }
  return qrMissing;
}

// The system's conversion stops when the room is full: it reads no more characters than it
// writes bytes. Where a character may take several bytes, its count is bounded from above.
bool TVersionResource::ConversionInside(const TNode& node) const {
  static const UINT maxCharSize = [] {
    CPINFO info;
    return GetCPInfo(CP_ACP, &info) ? info.MaxCharSize : 4;
  }();
  std::size_t blockLength = 0;
  Word(0, blockLength);
  // The copy goes behind the block as the root's length gives it, at the value's offset, into
  // at most the room from the value to that length. With no text, or the value beyond that
  // length, the system converts nothing.
  const std::size_t characters = node.ValueLength;
  if (characters == 0 || node.Value > blockLength) {
    return true;
  }
  const std::size_t room = blockLength - node.Value;
  if (maxCharSize == 1) {
    const std::size_t converted = std::min(characters, room); // none to measure an empty room
    return Inside(node.Value, converted * 2) && Inside(blockLength + 4 + node.Value, converted);
  }
  // An empty room makes the system measure the whole text; else it stops once the room is
  // full, having read at most one character more (the second of a surrogate pair).
  const std::size_t read = room == 0 ? characters : std::min(characters, room + 1);
  return Inside(node.Value, read * 2) &&
         Inside(blockLength + 4 + node.Value, std::min(room, characters * maxCharSize));
}

TQueryReach TVersionResource::Walk(std::string_view subBlock, std::size_t& node) const {
  if (FSize <= 4) {
    return qrOutside; // the fifth byte that tells the layouts apart is missing
  }
  node = 0;
  while (!subBlock.empty()) {
    const std::size_t slash = std::min(subBlock.find('\\'), subBlock.size());
    if (slash > 0) {
      const TQueryReach reach = FindChild(node, subBlock.substr(0, slash), node);
      if (reach != qrFound) {
        return reach;
      }
    }
    subBlock.remove_prefix(std::min(slash + 1, subBlock.size()));
  }
  return qrFound;
}

bool TVersionResource::Reaches(std::string_view subBlock) const {
  std::size_t node = 0;
  return Walk(subBlock, node) == qrFound;
}

TQueryReach TVersionResource::Query(std::string_view subBlock) const {
  std::size_t node = 0;
  const TQueryReach reach = Walk(subBlock, node);
  if (reach != qrFound) {
    return reach;
  }
  TNode value;
  if (!Describe(node, value)) {
    return qrOutside;
  }
  return !value.Text || ConversionInside(value) ? qrFound : qrOutside;
}

std::vector<std::string> TVersionResource::TableKeys() const {
  std::vector<std::string> keys;
  std::size_t stringFileInfo = 0;
  TNode parent;
  if (FSize <= 4 || FindChild(0, "StringFileInfo", stringFileInfo) != qrFound ||
      !Describe(stringFileInfo, parent)) {
    return keys;
  }
  std::size_t length = 0;
  for (std::size_t child = parent.Children; child < parent.End; child += Align4(length)) {
    std::string key;
    bool nameable = true;
    std::size_t c = 0;
    std::size_t at = child + FHeaderSize;
    for (; Unit(at, c) && c != 0; at += FUnitSize) {
      nameable = nameable && c >= ' ' && c < 0x7F && c != '\\';
      key += static_cast<char>(c);
    }
    if (!Inside(at, FUnitSize)) {
      break; // the key runs to the end of the buffer
    }
    if (nameable && !key.empty()) {
      keys.push_back(std::move(key));
    }
    if (!Word(child, length) || length == 0) {
      break; // the walk ends at a length of 0
    }
  }
  return keys;
}
