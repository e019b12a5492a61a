#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How far VerQueryValueA gets in a version buffer (as GetFileVersionInfoA fills it).
enum TQueryReach {
  qrMissing, // the walk ends inside the buffer without the value
  qrFound,   // the value is found, and the query touches nothing outside the buffer
  qrOutside, // the query would read or write outside the buffer
};

// A version buffer walked the way VerQueryValueA walks it, with every read checked against the
// buffer's bounds. The system trusts each length it meets, so a query that would leave the
// buffer must not be made; any other query answers as the system does. Queries and keys are
// ASCII, which the system compares without regard to case of the letters A to Z only.
class TVersionResource {
public:
  TVersionResource(const char* buffer, std::size_t size);

  // Where VerQueryValueA(buffer, subBlock) ends. A text value of the 32-bit layout counts as
  // found only when the ANSI copy the system writes for it lies within the buffer too.
  TQueryReach Query(std::string_view subBlock) const;
  // Whether the system's walk finds the sub-block, within the buffer; its value aside.
  bool Reaches(std::string_view subBlock) const;

  // The keys of the string tables that the system's walk meets under "\StringFileInfo", in
  // that order, as far as it reads them within the buffer. Keys that no query could name (not
  // printable ASCII, holding "\" or empty) are left out.
  std::vector<std::string> TableKeys() const;

private:
  struct TNode {
    std::size_t Begin = 0;
    std::size_t End = 0;
    std::size_t Value = 0;
    std::size_t ValueLength = 0;
    std::size_t Children = 0;
    bool Text = false;
  };

  bool Inside(std::size_t at, std::size_t count) const;
  bool Word(std::size_t at, std::size_t& value) const;
  bool Unit(std::size_t at, std::size_t& value) const;
  // The header, key, value and children of the node at begin, as the system computes them.
  bool Describe(std::size_t begin, TNode& node) const;
  // The child of parent whose key is name, found as the system finds it.
  TQueryReach FindChild(std::size_t parent, std::string_view name, std::size_t& child) const;
  // The walk to the sub-block's node.
  TQueryReach Walk(std::string_view subBlock, std::size_t& node) const;
  TQueryReach KeyIs(std::size_t node, std::string_view name) const;
  // Whether the ANSI copy of a 32-bit text value stays within the buffer.
  bool ConversionInside(const TNode& node) const;

  const unsigned char* FBytes;
  std::size_t FSize;
  bool FWide = true;
  std::size_t FHeaderSize = 6;
  std::size_t FUnitSize = 2;
};
