#include "QuilletProcess.h"

#include "MainWindowTest.h"
#include "ResultRowFixtures.h"

#include "AnsiText.h"
#include "ConsoleThread.h"
#include "ReportRun.h"

#include "Paths.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

#ifdef _WIN64
constexpr const char* FixtureMachine = "x64";
#else
constexpr const char* FixtureMachine = "x86";
#endif

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// A module whose version string and fixed version differ, a file without a version resource
// whose name holds "," and ";", a name beyond ASCII and one file in a subfolder.
void MakeReportTree(const TTempTree& tree) {
  const std::string program = ModuleFileName();
  const std::string fixture = program.substr(0, LastDelimiter(program, "\\") + 1) + "Mismatch.dll";
  ASSERT_TRUE(CopyFileA(fixture.c_str(), tree.Path("Mismatch.dll").c_str(), FALSE));
  tree.File("a,b;c.txt", "plain text");
  tree.File("caf\xe9.txt", "caf\xe9");
  tree.Folder("sub");
  tree.File("sub\\deep.txt", "deep");
  for (const char* name : {"Mismatch.dll", "a,b;c.txt", "caf\xe9.txt", "sub\\deep.txt"}) {
    ReadOnce(tree.Path(name));
  }
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, next; (next = text.find(end, at)) != std::string::npos;
       at = next + end.size()) {
    lines.push_back(text.substr(at, next - at));
  }
  return lines;
}

TEST(ConsoleReportTest, OptionsGiveTheirExitStatusesAndMessages) {
  TTempTree tree;
  MakeReportTree(tree);
  for (const char* help : {"--help", "/?"}) {
    const TQuilletRun run = RunQuillet(help);
    EXPECT_EQ(run.ExitCode, 0u) << help;
    EXPECT_NE(run.Output.find("Usage: quillet"), std::string::npos) << help;
  }
  for (const std::string& wrong :
       {std::string("--format xml x"), std::string("--modified-after 2024-13-01 x"),
        std::string("--sort Nope x"), std::string("--attributes hidden,blue x"), std::string(),
        std::string("--bogus x")}) {
    const TQuilletRun run = RunQuillet(wrong);
    EXPECT_EQ(run.ExitCode, 2u) << wrong;
    EXPECT_EQ(run.Errors.rfind("quillet: ", 0), 0u) << wrong << run.Errors;
    EXPECT_NE(run.Errors.find("Usage: quillet"), std::string::npos) << wrong;
    EXPECT_EQ(run.Output, "") << wrong;
  }

  // A folder that is not there is named, and the next one is still searched and written.
  const std::string missing = tree.Path("gone");
  TQuilletRun run = RunQuillet("-m *.txt " + Quoted(missing) + " " + Quoted(tree.Root()));
  EXPECT_EQ(run.ExitCode, 3u);
  EXPECT_NE(run.Errors.find(Quoted(missing)), std::string::npos) << run.Errors;
  EXPECT_EQ(Lines(run.Output, "\r\n").size(), 3u) << run.Output; // header and two files

  // Subfolders only when asked, also with the Windows switch.
  run = RunQuillet("/s -m deep.txt " + Quoted(tree.Root()));
  EXPECT_EQ(run.ExitCode, 0u);
  EXPECT_EQ(Lines(run.Output, "\r\n").size(), 2u);
  EXPECT_EQ(Lines(RunQuillet("-m deep.txt " + Quoted(tree.Root())).Output, "\r\n").size(), 1u);

  // A read-only report file is never replaced.
  tree.File("kept.txt", "keep me", FILE_ATTRIBUTE_READONLY);
  run = RunQuillet("-o " + Quoted(tree.Path("kept.txt")) + " " + Quoted(tree.Root()));
  EXPECT_EQ(run.ExitCode, 4u);
  EXPECT_NE(run.Errors.find(tree.Path("kept.txt")), std::string::npos) << run.Errors;
  EXPECT_EQ(FileBytes(tree.Path("kept.txt")), "keep me");
}

using ConsoleWindowTest = TMainWindowTest;

TEST_F(ConsoleWindowTest, TheReportFormatIsWhatTheWindowSavesForTheSameSearch) {
  TTempTree tree;
  MakeReportTree(tree);
  const TQuilletRun run = RunQuillet("-r " + Quoted(tree.Root()));
  EXPECT_EQ(run.ExitCode, 0u) << run.Errors;
  TMainWindowSession session(Log());
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.*", true));
  ASSERT_EQ(session.Form().ListView->ItemCount(), 5); // the subfolder is found as well
  // The console program writes its ANSI code page, UTF-8; this test program runs in the
  // system's.
  EXPECT_EQ(run.Output, AnsiToUtf8(ReportText(*session.Form().ListView)));
}

TEST(ConsoleReportTest, CsvAndJsonHoldEveryRowWithTheAuditFieldsInUtf8) {
  TTempTree tree;
  MakeReportTree(tree);
  const TQuilletRun csv = RunQuillet("-f csv --sort name " + Quoted(tree.Root()));
  ASSERT_EQ(csv.ExitCode, 0u) << csv.Errors;
  const std::vector<std::string> lines = Lines(csv.Output, "\r\n");
  ASSERT_EQ(lines.size(), 5u) << csv.Output;
  EXPECT_EQ(lines[0].substr(0, 5), "Name,");
  EXPECT_NE(lines[0].find(",Size,FileVersionNumber,ProductVersionNumber,VersionMismatch,Machine"),
            std::string::npos);
  // Sorted by name as the window sorts: "a,b;c.txt", "café.txt", "Mismatch.dll", "sub".
  EXPECT_EQ(lines[1].rfind("\"a,b;c.txt\",,,", 0), 0u) << lines[1];
  EXPECT_EQ(lines[1].substr(lines[1].size() - 9), ",,,false,"); // no version, no machine
  EXPECT_EQ(lines[2].rfind("caf\xc3\xa9.txt,", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("Mismatch.dll,1.9 (release),\"Say \"\"hi\"\", then; go\",", 0), 0u)
      << lines[3];
  EXPECT_NE(lines[3].find(std::string(",2.0.0.0,2.0.0.0,true,") + FixtureMachine),
            std::string::npos)
      << lines[3];

  const TQuilletRun json = RunQuillet("--format json -m *.dll;*.txt " + Quoted(tree.Root()));
  ASSERT_EQ(json.ExitCode, 0u) << json.Errors;
  const std::vector<std::string> objects = Lines(json.Output, "\n");
  ASSERT_EQ(objects.size(), 3u);
  for (const std::string& line : objects) {
    const nlohmann::ordered_json row = nlohmann::ordered_json::parse(line);
    std::vector<std::string> keys;
    for (const auto& item : row.items()) {
      keys.push_back(item.key());
    }
    std::vector<std::string> expected = ResultCaptions;
    expected.insert(expected.end(),
                    {"FileVersionNumber", "ProductVersionNumber", "VersionMismatch", "Machine"});
    EXPECT_EQ(keys, expected);
    // The one name beyond ASCII, back in the ANSI code page.
    std::string name = row["Name"].get<std::string>();
    if (name == "caf\xc3\xa9.txt") {
      name = "caf\xe9.txt";
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(tree.Path(name).c_str(), GetFileExInfoStandard, &data))
        << line;
    EXPECT_EQ(row["Size"].get<std::int64_t>(), data.nFileSizeLow);
    const bool module = row["Name"] == "Mismatch.dll";
    EXPECT_EQ(row["VersionMismatch"].get<bool>(), module);
    EXPECT_EQ(row["Machine"], module ? FixtureMachine : "");
  }
}

TEST(ConsoleReportTest, CtrlCStopsTheWalkAndKeepsWhatWasFound) {
  TTempTree tree;
  MakeReportTree(tree);
  TConsoleThread console;
  TConsoleThread::Interrupt();
  TReportOptions options;
  options.Folders = {tree.Root()};
  TConsoleProgress progress(true);
  const TReportResult result = RunReport(options, progress);
  EXPECT_TRUE(result.Interrupted);
  EXPECT_TRUE(result.Rows.empty());
  EXPECT_TRUE(result.MissingFolders.empty());
}

} // namespace
