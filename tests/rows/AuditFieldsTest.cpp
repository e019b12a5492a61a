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
      {"v1.2", "1.2.0.0", false}, // no leading number to compare
      {"", "1.0.0.0", false},
      {"1.0", "", false}, // no fixed part
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(std::string(test.Stated) + " / " + test.Fixed);
    EXPECT_EQ(VersionNumbersDiffer(test.Stated, test.Fixed), test.Differ);
  }
}

} // namespace
