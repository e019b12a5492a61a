#include "ContentSearch.h"

#include "SharedRead.h"
#include "Strings.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool IsLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Bytes from the most common in ordinary files to the least: zero fill, blanks, the letters
// of text by their frequency in English, line ends, digits, punctuation, capitals. Bytes not
// listed are rarer still.
constexpr char CommonBytes[] = "\0 \xFF"
                               "etaoinsrhl\r\ndcumfpgwyb0123456789.,vk-_/:=\"'()xjqz"
                               "ETAOINSRHLDCUMFPGWYBVKXJQZ\t";

std::size_t Commonness(unsigned char c) {
  const std::size_t listed = sizeof CommonBytes - 1;
  const void* found = std::memchr(CommonBytes, c, listed);
  return found == nullptr ? 0 : listed - (static_cast<const char*>(found) - CommonBytes);
}

bool MatchesAt(const TContentSearch::TPattern& pattern, const unsigned char* at) {
  const std::string& text = pattern.Text;
  if (pattern.CaseSensitive) {
    return std::memcmp(at, text.data(), text.size()) == 0;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((at[i] | static_cast<unsigned char>(pattern.Folds[i])) !=
        static_cast<unsigned char>(text[i])) {
      return false;
    }
  }
  return true;
}

// Whether a character begins at the place: in a double-byte code page, when the bytes right
// before it that may lead a character, back to the first that may not, are even in number.
bool BeginsCharacter(const TContentSearch::TPattern& pattern, const unsigned char* bytes,
                     const unsigned char* at) {
  if (!pattern.Steps.HasAsciiTrailBytes()) {
    return true;
  }
  std::size_t leads = 0;
  for (; at != bytes && pattern.Steps.IsLeadByte(at[-1]); --at) {
    ++leads;
  }
  return leads % 2 == 0;
}

// Vectors of Width bytes, seen as bytes or as 64-bit words. (GCC takes a vector size that
// depends on a template parameter only in a class template's typedef.)
template <int Width>
struct TVectors {
  typedef unsigned char TBytes __attribute__((vector_size(Width)));
  typedef std::uint64_t TWords __attribute__((vector_size(Width)));
};

// True when a byte of the vectors is set.
template <int Width, int Vectors>
[[gnu::always_inline]] inline bool AnyHit(const typename TVectors<Width>::TBytes (&hits)[Vectors]) {
  typename TVectors<Width>::TBytes any = hits[0];
#pragma GCC unroll 8
  for (int v = 1; v < Vectors; ++v) {
    any |= hits[v];
  }
  const auto words = (typename TVectors<Width>::TWords)any;
  std::uint64_t anyWord = 0;
#pragma GCC unroll 4
  for (int w = 0; w < Width / 8; ++w) {
    anyWord |= words[w];
  }
  return anyWord != 0;
}

// Looks for the first anchor in blocks of Vectors vectors of Width bytes, with one SSE2 or
// AVX2 instruction for each operation where the processor has them and plain word
// operations elsewhere; where it stands, for the second anchor at its distance; where both
// do, compares the whole text. Vectors stay inside the function: passing them between
// functions changes the calling convention of the 32-bit build. The bytes hold at least
// the text.
template <int Width, int Vectors, bool FoldFirst>
[[gnu::always_inline]] inline bool ScanIn(const TContentSearch::TPattern& pattern,
                                          const unsigned char* bytes, std::size_t size) {
  using TBytes = typename TVectors<Width>::TBytes;
  using TWords = typename TVectors<Width>::TWords;
  constexpr int Words = Width / 8;
  const TContentSearch::TAnchor& first = pattern.First;
  const TContentSearch::TAnchor& second = pattern.Second;
  constexpr unsigned char fold = FoldFirst ? 0x20 : 0;
  const auto matchesAt = [&](const unsigned char* anchor) {
    return MatchesAt(pattern, anchor - first.At) &&
           BeginsCharacter(pattern, bytes, anchor - first.At);
  };
  // The places where the first anchor of a match can stand.
  const unsigned char* from = bytes + first.At;
  const unsigned char* const end = from + (size - pattern.Text.size()) + 1;
  const TBytes firsts = TBytes{} + first.Byte;
  const TBytes seconds = TBytes{} + second.Byte;
  const TBytes secondFolds = TBytes{} + second.Fold;
  const std::ptrdiff_t distance =
      static_cast<std::ptrdiff_t>(second.At) - static_cast<std::ptrdiff_t>(first.At);
  const auto matchesHere = [&] { return (*from | fold) == first.Byte && matchesAt(from); };
  // A load that crosses a cache line costs two: the places before the first aligned one are
  // looked at one by one.
  for (; from < end && reinterpret_cast<std::uintptr_t>(from) % Width != 0; ++from) {
    if (matchesHere()) {
      return true;
    }
  }
  for (; end - from >= Width * Vectors; from += Width * Vectors) {
    TBytes hits[Vectors];
#pragma GCC unroll 8
    for (int v = 0; v < Vectors; ++v) {
      TBytes block;
      std::memcpy(&block, from + v * Width, Width);
      hits[v] = (TBytes)((block | fold) == firsts);
    }
    if (!AnyHit<Width, Vectors>(hits)) {
      continue;
    }
    // In text, where the first anchor may be frequent, the second leaves few places.
#pragma GCC unroll 8
    for (int v = 0; v < Vectors; ++v) {
      TBytes block;
      std::memcpy(&block, from + v * Width + distance, Width);
      hits[v] &= (TBytes)((block | secondFolds) == seconds);
    }
    if (!AnyHit<Width, Vectors>(hits)) {
      continue;
    }
    // A hit byte is all ones: the lowest set bit of a word is the first bit of its first hit.
#pragma GCC unroll 8
    for (int v = 0; v < Vectors; ++v) {
      const TWords words = (TWords)hits[v];
#pragma GCC unroll 4
      for (int w = 0; w < Words; ++w) {
        for (std::uint64_t word = words[w]; word != 0;) {
          const int bit = __builtin_ctzll(word);
          if (matchesAt(from + v * Width + w * 8 + bit / 8)) {
            return true;
          }
          word &= ~(std::uint64_t{0xFF} << bit);
        }
      }
    }
  }
  for (; from < end; ++from) {
    if (matchesHere()) {
      return true;
    }
  }
  return false;
}

template <bool FoldFirst>
bool Scan16(const TContentSearch::TPattern& pattern, const unsigned char* bytes, std::size_t size) {
  return ScanIn<16, 4, FoldFirst>(pattern, bytes, size);
}

template <bool FoldFirst>
[[gnu::target("avx2")]] bool Scan32(const TContentSearch::TPattern& pattern,
                                    const unsigned char* bytes, std::size_t size) {
  return ScanIn<32, 8, FoldFirst>(pattern, bytes, size);
}

TContentSearch::TScan* ChooseScan(bool foldFirst, bool wideVectors) {
  __builtin_cpu_init();
  if (wideVectors && __builtin_cpu_supports("avx2")) {
    return foldFirst ? Scan32<true> : Scan32<false>;
  }
  return foldFirst ? Scan16<true> : Scan16<false>;
}

constexpr std::size_t CacheLine = 64;

} // namespace

TContentSearch::TContentSearch(std::string text, bool caseSensitive, std::uint32_t pieceSize,
                               bool wideVectors, UINT codePage)
    : FPattern{std::move(text), {}, caseSensitive, {}, {}, TCharacterSteps(codePage)},
      FPieceSize(std::max<std::uint32_t>(pieceSize, 1)) {
  // Ignoring case, a letter is looked for in both cases, and is as common as its small form.
  std::string& pattern = FPattern.Text;
  FPattern.Folds.assign(pattern.size(), '\0');
  for (std::size_t at = 0; !caseSensitive && at < pattern.size();
       at += FPattern.Steps.SizeAt(pattern, at)) {
    if (IsLetter(static_cast<unsigned char>(pattern[at]))) {
      FPattern.Folds[at] = 0x20;
      pattern[at] = static_cast<char>(pattern[at] | 0x20);
    }
  }
  const auto anchorAt = [&](std::size_t at) {
    return TAnchor{at, static_cast<unsigned char>(pattern[at]),
                   static_cast<unsigned char>(FPattern.Folds[at])};
  };
  const auto commonnessAt = [&](std::size_t at) { return Commonness(anchorAt(at).Byte); };
  // The two rarest bytes at different places of the text; a text of one byte has it twice.
  const std::size_t size = FPattern.Text.size();
  std::size_t first = 0;
  for (std::size_t at = 1; at < size; ++at) {
    first = commonnessAt(at) < commonnessAt(first) ? at : first;
  }
  std::size_t second = first == 0 && size > 1 ? 1 : 0;
  for (std::size_t at = 0; at < size; ++at) {
    second = at != first && commonnessAt(at) < commonnessAt(second) ? at : second;
  }
  if (size > 0) {
    FPattern.First = anchorAt(first);
    FPattern.Second = anchorAt(second);
  }
  FScan = ChooseScan(FPattern.First.Fold != 0, wideVectors);
}

bool TContentSearch::Contains(const char* bytes, std::size_t size) const {
  if (FPattern.Text.empty()) {
    return size > 0;
  }
  return size >= FPattern.Text.size() &&
         FScan(FPattern, reinterpret_cast<const unsigned char*>(bytes), size);
}

bool TContentSearch::FileContainsText(const std::string& path,
                                      const std::function<bool()>& stopRequested) {
  const TFileHandle file = OpenForReading(path, FILE_FLAG_SEQUENTIAL_SCAN);
  if (!file) {
    return false;
  }
  // The bytes a match may already have begun with are kept right before the next piece.
  // Pieces start on a cache line, where the system copies them fastest.
  const std::size_t overlap = FPattern.Text.empty() ? 0 : FPattern.Text.size() - 1;
  FBuffer.resize(overlap + FPieceSize + CacheLine);
  const auto space = reinterpret_cast<std::uintptr_t>(FBuffer.data()) + overlap;
  char* const piece = FBuffer.data() + overlap + (CacheLine - space % CacheLine) % CacheLine;
  std::size_t kept = 0;
  for (;;) {
    if (stopRequested && stopRequested()) {
      return false;
    }
    DWORD read = 0;
    if (!ReadFile(file.get(), piece, FPieceSize, &read, nullptr) || read == 0) {
      return false;
    }
    if (Contains(piece - kept, kept + read)) {
      return true;
    }
    const std::size_t keep = std::min<std::size_t>(overlap, kept + read);
    std::memmove(piece - keep, piece + read - keep, keep);
    kept = keep;
  }
}
