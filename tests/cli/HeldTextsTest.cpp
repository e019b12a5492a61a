#include "HeldTexts.h"
#include "ReportFields.h"

#include <gtest/gtest.h>

namespace {

// Whatever a field holds comes back from the rows held for a sort exactly as it was.
TEST(HeldTextsTest, EveryTextComesBackAsItWas) {
  const std::size_t time = static_cast<std::size_t>(FindReportField("LastModifiedUtc"));
  const std::size_t flag = static_cast<std::size_t>(FindReportField("DotNet"));
  const std::size_t text = static_cast<std::size_t>(FindReportField("Name"));
  const struct {
    std::size_t Field;
    const char* Text;
    std::size_t HeldSize;
  } cases[] = {
      {time, "2024-02-29T23:59:59Z", 7},
      {time, "1601-01-01T00:00:00Z", 20},
      {time, "2023-02-29T00:00:00Z", 20},
      {time, "2024-05-31T24:00:00Z", 20},
      {time, "2024-05-31 13:45:07Z", 20},
      {time, "", 0},
      {flag, "true", 1},
      {flag, "false", 0},
      {text,
       "\x01"
       "234567",
       7},
  };
  for (const auto& held : cases) {
    const std::string kept = HeldFieldText(held.Field, held.Text);
    EXPECT_EQ(kept.size(), held.HeldSize) << held.Text;
    EXPECT_EQ(FieldTextOfHeld(held.Field, kept), held.Text);
  }
}

} // namespace
