#include "VersionResource.h"

#include <cstdint>

namespace {

// Root, StringFileInfo or VarFileInfo, string table or Var, string: the levels a query of
// this program goes through. Deeper ones are neither read nor checked.
constexpr int CheckedLevels = 4;

struct TNode {
  std::size_t End = 0;
  std::size_t ChildrenBegin = 0;
  std::string Key;
};

std::size_t Align4(std::size_t offset) {
  return (offset + 3) & ~std::size_t{3};
}

bool SameKey(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return i == a.size() && b[i] == '\0';
}

class TBlockReader {
public:
  TBlockReader(const char* block, std::size_t size)
      : FBytes(reinterpret_cast<const std::uint8_t*>(block)), FSize(size),
        // A 32-bit block has a small type word where a 16-bit one starts its ANSI key.
        FWide(size < 5 || FBytes[4] < ' '), FHeaderSize(FWide ? 6 : 4), FCharSize(FWide ? 2 : 1) {}

  std::optional<std::vector<std::string>> TableKeys() const {
    TNode root;
    if (!Read(0, FSize, root) || !Check(root, 0)) {
      return std::nullopt;
    }
    std::vector<std::string> keys;
    ForEachChild(root, [&](const TNode& child) {
      if (SameKey(child.Key, "StringFileInfo")) {
        ForEachChild(child, [&](const TNode& table) {
          keys.push_back(table.Key);
          return true;
        });
      }
      return true;
    });
    return keys;
  }

private:
  unsigned Word(std::size_t at) const { return FBytes[at] | (FBytes[at + 1] << 8); }

  // The block at begin, which must end by limit.
  bool Read(std::size_t begin, std::size_t limit, TNode& node) const {
    if (begin > limit || limit - begin < FHeaderSize + FCharSize) {
      return false;
    }
    const std::size_t length = Word(begin);
    if (length < FHeaderSize + FCharSize || length > limit - begin) {
      return false;
    }
    node.End = begin + length;
    std::size_t at = begin + FHeaderSize;
    for (;; at += FCharSize) {
      if (node.End - at < FCharSize) {
        return false; // the key has no terminating NUL within the block
      }
      const unsigned c = FWide ? Word(at) : FBytes[at];
      if (c == 0) {
        break;
      }
      node.Key += c < 0x80 ? static_cast<char>(c) : '?';
    }
    const std::size_t valueBegin = Align4(at + FCharSize);
    const std::size_t valueLength = Word(begin + 2);
    if (valueLength > 0 && (valueBegin > node.End || valueLength > node.End - valueBegin)) {
      return false;
    }
    // A 32-bit text value counts characters of two bytes. Some compilers count bytes
    // instead, so only the byte count is required to fit; the children then start no
    // earlier than the block's end.
    const bool text = FWide && Word(begin + 4) == 1;
    node.ChildrenBegin =
        valueLength == 0 ? valueBegin : Align4(valueBegin + valueLength * (text ? 2 : 1));
    return true;
  }

  // Calls visit for each child of node in turn while it answers true; false when a child
  // is malformed or visit answers false. A length of 0 ends the children, as it does for
  // the system's own walk.
  template <typename TVisit>
  bool ForEachChild(const TNode& node, TVisit visit) const {
    for (std::size_t at = node.ChildrenBegin;
         at < node.End && node.End - at >= 2 && Word(at) != 0;) {
      TNode child;
      if (!Read(at, node.End, child) || !visit(child)) {
        return false;
      }
      at = Align4(child.End);
    }
    return true;
  }

  bool Check(const TNode& node, int level) const {
    return level + 1 >= CheckedLevels ||
           ForEachChild(node, [&](const TNode& child) { return Check(child, level + 1); });
  }

  const std::uint8_t* FBytes;
  const std::size_t FSize;
  const bool FWide;
  const std::size_t FHeaderSize;
  const std::size_t FCharSize;
};

} // namespace

std::optional<std::vector<std::string>> StringTableKeys(const char* block, std::size_t size) {
  return TBlockReader(block, size).TableKeys();
}
