#include "Paths.h"

#include <gtest/gtest.h>

namespace {

// "ソ" in code page 932: its second byte is that of a backslash.
const std::string So = "\x83\x5C";

TEST(PathsTest, DelimitersAreFoundAmongCharactersNotBytes) {
  struct TCase {
    std::string Text;
    UINT CodePage;
    std::size_t Last;
    std::string Name;
    bool Backslashed;
  };
  const TCase cases[] = {
      {"C:\\x\\" + So + "\x83t.txt", 932, 4, So + "\x83t.txt", false},
      {"C:\\" + So, 932, 2, So, false},
      {"C:\\" + So + "\\", 932, 5, "", true},
      // The same bytes in a single-byte code page: 0x5C is a backslash wherever it stands.
      {"C:\\" + So, 1252, 4, "", true},
      {"name", 932, std::string::npos, "name", false},
      {"", 932, std::string::npos, "", false},
      // A lead byte at the very end has no second half and stands alone.
      {"C:\\a\x83", 932, 2, "a\x83", false},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Text + " in code page " + std::to_string(test.CodePage));
    EXPECT_EQ(LastDelimiter(test.Text, "\\", test.CodePage), test.Last);
    EXPECT_EQ(ExtractFileName(test.Text, test.CodePage), test.Name);
    EXPECT_EQ(EndsWithBackslash(test.Text, test.CodePage), test.Backslashed);
  }
  const std::string path = "C:\\" + So + "\\" + So + "\\";
  std::vector<std::size_t> found;
  for (std::size_t at = NextDelimiter(path, "\\", 0, 932); at != std::string::npos;
       at = NextDelimiter(path, "\\", at + 1, 932)) {
    found.push_back(at);
  }
  EXPECT_EQ(found, (std::vector<std::size_t>{2, 5, 8}));
  EXPECT_EQ(ExtractFileName("C:name.txt"), "name.txt");
  EXPECT_EQ(ExtractFileName("a/b"), "b");
}

} // namespace
