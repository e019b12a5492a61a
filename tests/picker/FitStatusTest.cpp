#include "FitStatus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

int Bytes(const std::string& text) {
  return static_cast<int>(text.size());
}

// Dots take no room here, so the "..." costs less than what it replaces.
int BytesWithoutDots(const std::string& text) {
  return Bytes(text) - static_cast<int>(std::count(text.begin(), text.end(), '.'));
}

TEST(FitStatusTest, AFolderPathLosesLeadingFoldersThenTheDriveAndKeepsItsLastName) {
  const struct {
    const char* Path;
    int Width;
    const char* Fitted;
  } rows[] = {
      {"C:\\Program Files\\KOV\\Quillet", 28, "C:\\Program Files\\KOV\\Quillet"},
      {"C:\\Program Files\\KOV\\Quillet", 27, "C:\\...\\KOV\\Quillet"},
      {"C:\\Program Files\\KOV\\Quillet", 17, "C:\\...\\Quillet"},
      {"C:\\Program Files\\KOV\\Quillet", 13, "...\\Quillet"},
      {"C:\\Program Files\\KOV\\Quillet", 3, "Quillet"},
      // The folder as Selection names it, with its backslash.
      {"C:\\Program Files\\KOV\\Quillet\\", 15, "C:\\...\\Quillet\\"},
      {"C:\\Program Files\\KOV\\Quillet\\", 1, "Quillet\\"},
      {"\\Data\\Reports\\2026", 14, "\\...\\2026"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ShortenFolderPath(row.Path, row.Width, &Bytes, 1252), row.Fitted)
        << row.Path << " in " << row.Width;
  }
  // In code page 932 the second byte of "\x83\x5C" is the byte of a backslash.
  EXPECT_EQ(ShortenFolderPath("C:\\\x83\x5C\\a\\name", 11, &BytesWithoutDots, 932),
            "C:\\...\\a\\name");
}

TEST(FitStatusTest, OtherTextIsCutAtTheRightWithDots) {
  EXPECT_EQ(ShortenText("Searching everything", 20, &Bytes, 1252), "Searching everything");
  EXPECT_EQ(ShortenText("Searching everything", 19, &Bytes, 1252), "Searching everyt...");
  EXPECT_EQ(ShortenText("Searching everything", 2, &Bytes, 1252), "...");
  EXPECT_EQ(ShortenText("abcd\x83\x5C", 5, &BytesWithoutDots, 932), "abcd...")
      << "a double-byte character goes whole";
}

} // namespace
