#include "AuditFields.h"

#include <gtest/gtest.h>

namespace {

TEST(AuditFieldsTest, AVersionStringDiffersOnlyWhereItsLeadingNumbersDo) {
  struct TCase {
    const char* Stated;
    const char* Fixed;
    bool Differ;
  };
  const TCase cases[] = {
      {"6.1.7601.17514 (win7sp1_rtm.101119-1850)", "6.1.7601.17514", false},
      {"1, 2, 3, 4", "1.2.3.4", false},
      {"5.0", "5.0.0.0", false},
      {"05.00.1", "5.0.1.0", false},
      {"1.9 (release)", "2.0.0.0", true},
      {"6.1.7601.17515", "6.1.7601.17514", true},
      {"1.2.3.4.5", "1.2.3.4", true},
      {"10.0.19041.1 (WinBuild.160101.0800)", "10.0.19041.1", false},
      {"v1.2", "9.9.0.0", true},
      {"Version 3.1", "3.1.0.0", false},
      {"1.0.0.0, 64-bit", "1.0.0.0", false},
      {"3.5.2, 2020-01-01", "3.5.2.0", false},
      {"3.10.0.2103", "3.10.2103.0", true},
      {"4.00 (WinBuild.160101.0800)", "10.0.22000.194", true},
      {"1.02", "1.2.0.0", false},
      {"release 1.0", "2.0.0.0", false}, // no number where a person reads one
      {"", "1.0.0.0", false},
      {"1.0", "", false}, // no fixed part
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(std::string(test.Stated) + " / " + test.Fixed);
    EXPECT_EQ(VersionNumbersDiffer(test.Stated, test.Fixed), test.Differ);
  }
}

} // namespace
