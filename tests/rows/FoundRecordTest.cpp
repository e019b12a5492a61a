#include "FoundRecord.h"

#include <gtest/gtest.h>

namespace {

TEST(FoundRecordTest, AFoundRecordSplitsAtTheLastBackslashWhateverSemicolonsItHolds) {
  struct TCase {
    const char* Found;
    const char* Directory;
    const char* Name;
  };
  const TCase cases[] = {
      {"C:\\x\\;h.txt;", "C:\\x\\", "h.txt"},
      {"C:\\;boot.ini;", "C:\\", "boot.ini"},
      {"C:\\a;b\\;c;d.txt;", "C:\\a;b\\", "c;d.txt"},
      {"C:\\a\\;;x;", "C:\\a\\", ";x"},
      {"\\\\server\\share\\;n.dll;", "\\\\server\\share\\", "n.dll"},
      {";bare;", "", "bare"},
      {"C:\\x\\;", "C:\\x\\", ""},
      {"", "", ""},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Found);
    std::string directory = "old";
    std::string name = "old";
    SplitFoundRecord(test.Found, directory, name);
    EXPECT_EQ(directory, test.Directory);
    EXPECT_EQ(name, test.Name);
  }
}

} // namespace
