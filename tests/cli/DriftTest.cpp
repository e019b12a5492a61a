#include "QuilletProcess.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

void Copy(const std::string& fixture, const std::string& target) {
  ASSERT_TRUE(CopyFileA(FixturePath(fixture).c_str(), target.c_str(), FALSE)) << fixture;
}

void Write(const std::string& path, const std::string& text) {
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// The changes of a JSON run, "change name" each, in the order written.
std::string Changes(const std::string& output) {
  std::string changes;
  for (const std::string& line : Lines(output, "\n")) {
    const nlohmann::json row = nlohmann::json::parse(line);
    changes += row["Change"].get<std::string>() + " " + row["Name"].get<std::string>() + "; ";
  }
  return changes;
}

// A tree audited with digests, then one module replaced by another version, one file
// removed, one added and one touched; compared without digests.
TEST(DriftTest, TheDifferencesFromABaselineAreWrittenAndEndWithOne) {
  TTempTree tree;
  tree.Folder("tree");
  Copy("Mismatch.dll", tree.Path("tree\\module.dll"));
  tree.File("tree\\gone.txt", "gone");
  tree.File("tree\\touched.txt", "same");
  const std::string root = Quoted(tree.Path("tree"));
  const std::string baseline = tree.Path("baseline.json");
  ASSERT_EQ(RunQuillet("-q -f json --hash sha256 -o " + Quoted(baseline) + " " + root).ExitCode,
            0u);

  TQuilletRun run = RunQuillet("-f json --compare " + Quoted(baseline) + " " + root);
  EXPECT_EQ(run.ExitCode, 0u) << run.Errors;
  EXPECT_EQ(run.Output, "");

  Copy("Tables.dll", tree.Path("tree\\module.dll"));
  ASSERT_TRUE(DeleteFileA(tree.Path("tree\\gone.txt").c_str()));
  tree.File("tree\\new.txt", "new");
  // An hour on from now.
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t hourOn =
      ((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime) + 36000000000ull;
  FILETIME later = {static_cast<DWORD>(hourOn), static_cast<DWORD>(hourOn >> 32)};
  const HANDLE touched = CreateFileA(tree.Path("tree\\touched.txt").c_str(), FILE_WRITE_ATTRIBUTES,
                                     0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(SetFileTime(touched, nullptr, nullptr, &later));
  CloseHandle(touched);

  run = RunQuillet("-f json --compare " + Quoted(baseline) + " " + root);
  EXPECT_EQ(run.ExitCode, 1u) << run.Errors;
  EXPECT_EQ(Changes(run.Output),
            "changed module.dll; added new.txt; changed touched.txt; removed gone.txt; ");
  std::map<std::string, nlohmann::json> rows = JsonRows(run.Output);
  // Only the fields both runs have are compared: not the digest. (Wine moves the creation
  // time with the last-write time.)
  const std::string touchedFields = rows["touched.txt"]["ChangedFields"];
  EXPECT_TRUE(touchedFields == "LastModifiedUtc" || touchedFields == "CreatedUtc;LastModifiedUtc")
      << touchedFields;
  EXPECT_EQ(rows["module.dll"]["FileVersion"], "3.1");
  EXPECT_EQ(rows["module.dll"]["baseline"]["FileVersion"], "1.9 (release)");
  EXPECT_NE(
      rows["module.dll"]["ChangedFields"].get<std::string>().find("FileVersion;Description;Size;"),
      std::string::npos);
  EXPECT_EQ(rows["gone.txt"]["Size"], 4);

  // Without the times the touched file is the same; CSV puts the baseline's value beside.
  run = RunQuillet("-f csv --ignore CreatedUtc,LastModifiedUtc --compare " + Quoted(baseline) +
                   " " + root);
  const std::vector<std::string> lines = Lines(run.Output, "\r\n");
  ASSERT_EQ(lines.size(), 4u) << run.Output;
  EXPECT_EQ(lines[0].rfind("Change,ChangedFields,Name,Baseline.Name,FileVersion,"
                           "Baseline.FileVersion,",
                           0),
            0u);
  EXPECT_EQ(lines[1].rfind("changed,", 0), 0u);
  EXPECT_NE(lines[1].find(",module.dll,,3.1,1.9 (release),"), std::string::npos) << lines[1];

  // A baseline that is not this program's JSON Lines is refused, naming the line; nothing
  // is written.
  const std::string row = Lines(FileBytes(baseline), "\n")[0];
  nlohmann::json older = nlohmann::json::parse(row);
  older.erase("Path");
  const std::string output = tree.Path("out.json");
  const struct {
    std::string Baseline;
    std::string Says;
  } broken[] = {
      {row + "\n{\"Path\": 1,\n", "line 2 of baseline"},
      {older.dump() + "\n", "line 1 of baseline \"" + tree.Path("broken.json") + "\" has no Path"},
      {row + "\n" + row + "\n", "line 2 of baseline"},
  };
  for (const auto& wrong : broken) {
    Write(tree.Path("broken.json"), wrong.Baseline);
    run = RunQuillet("-f json -o " + Quoted(output) + " --compare " +
                     Quoted(tree.Path("broken.json")) + " " + root);
    EXPECT_EQ(run.ExitCode, 2u) << wrong.Says;
    EXPECT_NE(run.Errors.find(wrong.Says), std::string::npos) << run.Errors;
    EXPECT_EQ(GetFileAttributesA(output.c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

} // namespace
