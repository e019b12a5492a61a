#include "ContentSearch.h"

#include "UniqueHandle.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The plain scan the fast search must agree with: on a mismatch it starts again one byte
// after the place where the failed partial match began.
bool ScanContains(const std::string& bytes, std::string text, bool caseSensitive) {
  if (!caseSensitive) {
    for (char& c : text) {
      c = Upper(c);
    }
  }
  std::size_t i = 0;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const char byte = caseSensitive ? bytes[at] : Upper(bytes[at]);
    if (byte == text[i]) {
      if (++i == text.size()) {
        return true;
      }
    } else {
      at -= i;
      i = 0;
    }
  }
  return false;
}

// The answer of the search with either width of vectors, when both agree.
std::optional<bool> Contains(const std::string& bytes, const std::string& text,
                             bool caseSensitive) {
  const auto contains = [&](bool wideVectors) {
    return TContentSearch(text, caseSensitive, TContentSearch::DefaultPieceSize, wideVectors)
        .Contains(bytes.data(), bytes.size());
  };
  const bool answer = contains(true);
  return answer == contains(false) ? std::optional<bool>(answer) : std::nullopt;
}

// Bytes that a wrong case folding would confuse: letters, and pairs of other bytes that
// differ only in the letters' case bit (@ and `, [ and {, and two above 127).
std::string RandomBytes(std::mt19937& random, std::size_t size) {
  static const char alphabet[] = "aAbB@`[{\xC4\xE4\n";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 2);
  std::string bytes(size, ' ');
  for (char& c : bytes) {
    c = alphabet[pick(random)];
  }
  return bytes;
}

void Overwrite(const std::string& path, const std::string& bytes) {
  const TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  DWORD written = 0;
  ASSERT_TRUE(
      ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

TEST(ContentSearchTest, GivesTheAnswersOfThePlainScanOnRandomBytes) {
  std::mt19937 random(20240304);
  std::uniform_int_distribution<std::size_t> textSize(1, 5);
  // Longer than a few of the blocks the fast search tests at once, of either width.
  std::uniform_int_distribution<std::size_t> bytesSize(0, 700);
  int found = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomBytes(random, textSize(random));
    const std::string bytes = RandomBytes(random, bytesSize(random));
    for (const bool caseSensitive : {true, false}) {
      const bool expected = ScanContains(bytes, text, caseSensitive);
      ASSERT_EQ(Contains(bytes, text, caseSensitive), expected)
          << '"' << text << "\" in \"" << bytes << "\", case-sensitive " << caseSensitive;
      found += expected;
    }
  }
  // Both answers came often enough to mean something.
  EXPECT_GT(found, 5000);
  EXPECT_LT(found, 35000);
}

TEST(ContentSearchTest, ReadsFilesInPiecesWithTheAnswersOfTheWholeFile) {
  TTempTree tree;
  const std::string path = tree.Path("random.bin");
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> textSize(1, 6);
  std::uniform_int_distribution<std::size_t> bytesSize(0, 400);
  std::uniform_int_distribution<std::uint32_t> pieceSize(1, 40);
  for (int round = 0; round < 400; ++round) {
    const std::string text = RandomBytes(random, textSize(random));
    const std::string bytes = RandomBytes(random, bytesSize(random));
    const bool caseSensitive = round % 2 == 0;
    const std::uint32_t piece = pieceSize(random);
    Overwrite(path, bytes);
    TContentSearch search(text, caseSensitive, piece);
    ASSERT_EQ(search.FileContainsText(path), ScanContains(bytes, text, caseSensitive))
        << '"' << text << "\" in \"" << bytes << "\", piece " << piece;
  }
}

TEST(ContentSearchTest, FoldsOnlyAsciiLettersWhenCaseDoesNotCount) {
  for (const char* bytes : {"xxABCxx", "aBc", "abc"}) {
    EXPECT_EQ(Contains(bytes, "abc", false), true) << bytes;
    EXPECT_EQ(Contains(bytes, "AbC", false), true) << bytes;
  }
  EXPECT_EQ(Contains("abc", "abc", true), true);
  EXPECT_EQ(Contains("ABC", "abc", true), false);
  EXPECT_EQ(Contains("aBc", "abc", true), false);
  EXPECT_EQ(Contains("ab c", "abc", false), false);
  // Bytes above 127 and punctuation stay exact, also when they differ only in bit 0x20.
  EXPECT_EQ(Contains("\xC4", "\xE4", false), false);
  EXPECT_EQ(Contains("@[", "`{", false), false);
  EXPECT_EQ(Contains("line one\r\nline two", "ONE\r\nLINE", false), true);
}

// In a double-byte code page a letter's byte may be the second of a character ("\x83\x41"
// is one character of code page 932): a text is found only where a character begins, and
// only letters that stand as characters fold.
TEST(ContentSearchTest, ADoubleByteCharacterNeitherBeginsAMatchInItsSecondByteNorFolds) {
  const auto contains = [](const std::string& bytes, const std::string& text, bool caseSensitive,
                           UINT codePage) {
    return TContentSearch(text, caseSensitive, TContentSearch::DefaultPieceSize, true, codePage)
        .Contains(bytes.data(), bytes.size());
  };
  const std::string wide = "\x83\x41";
  EXPECT_FALSE(contains("x" + wide, "A", true, 932));
  EXPECT_FALSE(contains("x" + wide, "a", false, 932));
  EXPECT_TRUE(contains(wide + "A", "a", false, 932));
  EXPECT_TRUE(contains("\x83\x83"
                       "A",
                       "a", false, 932)); // the lead byte as a second byte
  EXPECT_FALSE(contains("\x83\x61", wide, false, 932));
  EXPECT_TRUE(contains(wide, wide, false, 932));
  // In single-byte code pages and UTF-8 every byte below 0x80 stands as a character.
  EXPECT_TRUE(contains("x" + wide, "a", false, 1252));
  EXPECT_TRUE(contains("\xD0\xB4"
                       "A",
                       "a", false, CP_UTF8));
}

TEST(ContentSearchTest, AStopRequestEndsTheReadOfAFileOfAnySize) {
  TTempTree tree;
  tree.SparseFile("huge.bin", std::uint64_t{8} << 30);
  TContentSearch search("needle", true);
  int asked = 0;
  EXPECT_FALSE(search.FileContainsText(tree.Path("huge.bin"), [&] { return ++asked == 3; }));
  EXPECT_EQ(asked, 3);
}

TEST(ContentSearchTest, AFailedPartialMatchStillFindsTheLaterOne) {
  for (const bool caseSensitive : {true, false}) {
    EXPECT_EQ(Contains("aaab", "aab", caseSensitive), true);
    EXPECT_EQ(Contains("abababc", "ababc", caseSensitive), true);
    EXPECT_EQ(Contains("aaa", "aab", caseSensitive), false);
  }
}

TEST(ContentSearchTest, FindsAMatchThatSpansTwoPieces) {
  TTempTree tree;
  const std::string path = tree.Path("pieces.bin");
  const std::size_t piece = TContentSearch::DefaultPieceSize;
  const std::string text = "needle";
  TContentSearch search(text, true);
  for (std::size_t before = 0; before <= text.size(); ++before) {
    std::string bytes(2 * piece, '.');
    bytes.replace(piece - before, text.size(), text);
    Overwrite(path, bytes);
    EXPECT_TRUE(search.FileContainsText(path)) << before << " bytes in the first piece";
  }
  // The two halves of a match in separate places do not make one.
  std::string halves(2 * piece, '.');
  halves.replace(piece - 3, 3, "nee");
  halves.replace(piece + 10, 3, "dle");
  Overwrite(path, halves);
  EXPECT_FALSE(search.FileContainsText(path));
}

TEST(ContentSearchTest, WhatCannotBeReadNeverContainsTheText) {
  TTempTree tree;
  tree.File("abc.txt", "abc");
  tree.File("empty.txt");
  tree.Folder("abc");
  TContentSearch search("abc", true);
  EXPECT_TRUE(search.FileContainsText(tree.Path("abc.txt")));
  EXPECT_FALSE(search.FileContainsText(tree.Path("empty.txt")));
  EXPECT_FALSE(search.FileContainsText(tree.Path("abc")));
  EXPECT_FALSE(search.FileContainsText(tree.Path("missing.txt")));
  {
    // Opened by someone else who shares it with nobody.
    const TFileHandle exclusive(CreateFileA(tree.Path("abc.txt").c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(exclusive);
    EXPECT_FALSE(search.FileContainsText(tree.Path("abc.txt")));
  }
  EXPECT_TRUE(search.FileContainsText(tree.Path("abc.txt")));
}

} // namespace
