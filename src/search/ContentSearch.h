#pragma once

#include "Strings.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Tells whether bytes, or the bytes of a file, contain a text: byte for byte, or with the
// ASCII letters that stand as characters of the code page taken without regard to case
// (every other byte still compared exactly). In a double-byte code page the text is found
// only where a character begins, never from the second byte of one.
// A file is read piece by piece, each piece after the last bytes of the one before that
// could still begin a match, so a file of any size takes the same small memory.
class TContentSearch {
public:
  // Large enough that reading costs few calls, small enough that the piece is still in the
  // processor's second-level cache when it is searched.
  static constexpr std::uint32_t DefaultPieceSize = 128 * 1024;

  // The piece size (at least 1) is how much of a file one read asks for. The search compares
  // 32 bytes at once where the processor can, unless wideVectors is false: then 16.
  TContentSearch(std::string text, bool caseSensitive, std::uint32_t pieceSize = DefaultPieceSize,
                 bool wideVectors = true, UINT codePage = CP_ACP);

  // True when the bytes hold the text.
  bool Contains(const char* bytes, std::size_t size) const;
  // True when the file's bytes hold the text. A file that cannot be opened or read, a
  // directory and an empty file never do. The stop request is asked before every piece,
  // so that a stop ends the read of a file of any size at once; it then answers false.
  bool FileContainsText(const std::string& path,
                        const std::function<bool()>& stopRequested = nullptr);

  // A byte of the text that a scan looks for before it compares the whole text, as bytes
  // are compared with it: after Fold (0x20 for a letter when case does not count, else 0)
  // is or-ed into them, which makes both cases of a letter the same.
  struct TAnchor {
    std::size_t At = 0;
    unsigned char Byte = 0;
    unsigned char Fold = 0;
  };
  // What a scan of bytes compares.
  struct TPattern {
    // Its letters in lower case when the search ignores case, as the bytes are compared
    // then: after the fold of the same place is or-ed into them.
    std::string Text;
    // For each byte of the text, 0x20 where it is a letter that folds, else 0.
    std::string Folds;
    bool CaseSensitive = true;
    // The two bytes of the text least likely to turn up in a file, so that few places need
    // the whole text compared.
    TAnchor First;
    TAnchor Second;
    TCharacterSteps Steps;
  };
  // True when the bytes, at least as many as the text, hold the text.
  using TScan = bool(const TPattern& pattern, const unsigned char* bytes, std::size_t size);

private:
  TPattern FPattern;
  std::uint32_t FPieceSize;
  // The fastest scan this processor allows.
  TScan* FScan = nullptr;
  std::vector<char> FBuffer;
};
