#include "ImageBytes.h"
#include "QuilletProcess.h"

#include "MainWindowTest.h"
#include "ResultRowFixtures.h"

#include "AnsiText.h"
#include "ConsoleThread.h"
#include "ReportRun.h"

#include "Paths.h"
#include "UniqueHandle.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>
#include <map>
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
  ASSERT_TRUE(
      CopyFileA(FixturePath("Mismatch.dll").c_str(), tree.Path("Mismatch.dll").c_str(), FALSE));
  tree.File("a,b;c.txt", "plain text");
  tree.File("caf\xe9.txt", "caf\xe9");
  tree.Folder("sub");
  tree.File("sub\\deep.txt", "deep");
  for (const char* name : {"Mismatch.dll", "a,b;c.txt", "caf\xe9.txt", "sub\\deep.txt"}) {
    ReadOnce(tree.Path(name));
  }
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
  // More files in one folder than the console program reads ahead of its rows, programs
  // among them.
  tree.Folder("many");
  for (int file = 0; file < 150; ++file) {
    const std::string name = "many\\file" + std::to_string(file) + (file % 10 ? ".txt" : ".dll");
    if (file % 10 == 0) {
      ASSERT_TRUE(CopyFileA(tree.Path("Mismatch.dll").c_str(), tree.Path(name).c_str(), FALSE));
    } else {
      tree.File(name, std::string(60 + file, 'x'));
    }
    ReadOnce(tree.Path(name));
  }
  const TQuilletRun run = RunQuillet("-r " + Quoted(tree.Root()));
  EXPECT_EQ(run.ExitCode, 0u) << run.Errors;
  TMainWindowSession session(Log());
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.*", true));
  ASSERT_EQ(session.Form().ListView->ItemCount(), 156); // the subfolders are found as well
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
  EXPECT_NE(lines[0].find(",LastModified,"), std::string::npos);
  EXPECT_NE(lines[0].find(",Size,FileVersionNumber,ProductVersionNumber,VersionMismatch,Machine,"
                          "Path,CreatedUtc,LastAccessUtc,LastModifiedUtc,ReadError"),
            std::string::npos);
  // Sorted by name as the window sorts: "a,b;c.txt", "café.txt", "Mismatch.dll", "sub".
  EXPECT_EQ(lines[1].rfind("\"a,b;c.txt\",,,", 0), 0u) << lines[1];
  EXPECT_NE(lines[1].find(",,,false,,\"" + tree.Path("a,b;c.txt") + "\","),
            std::string::npos); // no version, no machine
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
  // Rows written as they are found are the rows held for a sort, to the byte.
  const TQuilletRun held = RunQuillet("-f json --sort Path -m *.dll;*.txt " + Quoted(tree.Root()));
  EXPECT_EQ(Sorted(Lines(held.Output, "\n")), Sorted(objects));
  for (const std::string& line : objects) {
    const nlohmann::ordered_json row = nlohmann::ordered_json::parse(line);
    std::vector<std::string> keys;
    for (const auto& item : row.items()) {
      keys.push_back(item.key());
    }
    std::vector<std::string> expected = ResultCaptions;
    expected[rcLastModified] = "LastModified";
    expected.insert(expected.end(),
                    {"FileVersionNumber", "ProductVersionNumber", "VersionMismatch", "Machine",
                     "Path", "CreatedUtc", "LastAccessUtc", "LastModifiedUtc", "ReadError",
                     "LinkTime", "Subsystem", "DotNet", "Languages"});
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
  const TReportResult result = RunReport(options, progress, [](const TReportRow&) {});
  EXPECT_TRUE(result.Interrupted);
  EXPECT_EQ(result.Rows, 0u);
  EXPECT_TRUE(result.MissingFolders.empty());
}

std::string Names(const std::string& output) {
  std::string names;
  for (const std::string& line : Lines(output, "\n")) {
    names += nlohmann::json::parse(line)["Name"].get<std::string>() + " ";
  }
  return names;
}

void SetWriteTime(const std::string& path, const SYSTEMTIME& time, bool local) {
  FILETIME written;
  ASSERT_TRUE(SystemTimeToFileTime(&time, &written));
  if (local) {
    const FILETIME localTime = written;
    ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &written));
  }
  const TFileHandle file(
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &written)) << path;
}

TEST(ConsoleReportTest, ArgumentsMeanWhatTheySayAndValuesCompareByValue) {
  TTempTree tree;
  MakeReportTree(tree);
  tree.Folder("v1;v2");
  tree.File("v1;v2\\inner.txt", "/S and more");
  tree.File("nine.bin", std::string(9, 'x'));
  tree.File("ten.bin", std::string(10, 'x'));
  tree.File("hundred.bin", std::string(100, 'x'));
  const std::string root = Quoted(tree.Root());

  // A folder named with ";" is that folder, not a list.
  TQuilletRun run = RunQuillet("-f json " + Quoted(tree.Path("v1;v2")));
  EXPECT_EQ(run.ExitCode, 0u) << run.Errors;
  EXPECT_EQ(Names(run.Output), "inner.txt ");
  // "/S" as an option's value is the value; in an option's place it is -r. The content is
  // read also while another program holds the file open with delete access.
  {
    const TFileHandle held(CreateFileA(tree.Path("v1;v2\\inner.txt").c_str(), GENERIC_READ | DELETE,
                                       FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
    ASSERT_TRUE(held);
    run = RunQuillet("-f json -m *.txt --content /S /S " + root);
    EXPECT_EQ(Names(run.Output), "inner.txt ");
  }
  // Masks are trimmed, and a file that two of them match is listed once.
  run = RunQuillet("-f json -m \"*.bin; n*\" " + root);
  EXPECT_EQ(Names(run.Output), "hundred.bin nine.bin ten.bin ");
  // Sizes sort as numbers, under either spelling of a key.
  run = RunQuillet("-f json -m *.bin --sort size " + root);
  EXPECT_EQ(Names(run.Output), "nine.bin ten.bin hundred.bin ");
  EXPECT_EQ(RunQuillet("-f json --sort LastMidified " + root).ExitCode, 0u);
  // The fixed file version bounds: Mismatch.dll is 2.0.0.0.
  EXPECT_EQ(Names(RunQuillet("-f json --version-below 2.0.1 " + root).Output), "Mismatch.dll ");
  EXPECT_EQ(Names(RunQuillet("-f json --version-at-least 2 " + root).Output), "Mismatch.dll ");
  EXPECT_EQ(RunQuillet("-f json --version-at-least 2.1 " + root).Output, "");
}

TEST(ConsoleReportTest, TimesAreUtcSortByTimeAndADayBoundHoldsTheWholeDay) {
  TTempTree tree;
  for (const char* name : {"september.txt", "october.txt", "last.txt", "next.txt"}) {
    tree.File(name, "x");
  }
  SetWriteTime(tree.Path("september.txt"), {2021, 9, 0, 1, 12, 0, 0, 0}, false);
  SetWriteTime(tree.Path("october.txt"), {2021, 10, 0, 1, 5, 6, 7, 0}, false);
  // The last fraction of a second of a local day, and the next day's first moment.
  SetWriteTime(tree.Path("last.txt"), {2022, 6, 0, 15, 23, 59, 59, 400}, true);
  SetWriteTime(tree.Path("next.txt"), {2022, 6, 0, 16, 0, 0, 0, 0}, true);
  const std::string root = Quoted(tree.Root());

  const TQuilletRun run = RunQuillet("-f json --sort LastModified " + root);
  EXPECT_EQ(Names(run.Output), "september.txt october.txt last.txt next.txt ");
  const nlohmann::json october = JsonRows(run.Output)["october.txt"];
  EXPECT_EQ(october["LastModifiedUtc"], "2021-10-01T05:06:07Z");
  EXPECT_EQ(october["Path"], tree.Path("october.txt"));
  EXPECT_EQ(
      Names(RunQuillet("-f json --sort LastModified --modified-before 2022-06-15 " + root).Output),
      "september.txt october.txt last.txt ");
  EXPECT_EQ(Names(RunQuillet("-f json --modified-after 2022-06-16 " + root).Output), "next.txt ");
}

// A folder whose path is longer than the "A" functions take, made through the wide ones.
std::string TooLongFolder(const TTempTree& tree) {
  std::string path = tree.Root();
  for (int level = 0; level < 3; ++level) {
    path += "\\" + std::string(100, static_cast<char>('a' + level));
    const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    EXPECT_TRUE(CreateDirectoryW(wide.c_str(), nullptr)) << path;
  }
  return path;
}

TEST(ConsoleReportTest, WhatCouldNotBeReadIsNamedAndTheRunEndsWithFive) {
  TTempTree tree;
  MakeReportTree(tree);
  const std::string tooLong = TooLongFolder(tree);
  tree.Folder("system", FILE_ATTRIBUTE_SYSTEM);
  tree.File("locked.txt", std::string(200, 'x'));
  const TFileHandle lock(CreateFileA(tree.Path("locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  const TQuilletRun run = RunQuillet("-q -r --verbose -f json " + Quoted(tree.Root()));
  EXPECT_EQ(run.ExitCode, 5u) << run.Errors;
  // One line each, whatever order the walk meets them in: the folder too long to open cannot
  // be read as a row either.
  EXPECT_EQ(Lines(run.Errors, "\r\n").size(), 4u) << run.Errors;
  for (const std::string& start :
       {"quillet: cannot list folder \"" + tooLong + "\\\": ",
        "quillet: cannot read \"" + tooLong + "\": ",
        "quillet: cannot read \"" + tree.Path("locked.txt") + "\": ",
        "quillet: left out system folder \"" + tree.Path("system") + "\\\"\r\n"}) {
    EXPECT_NE(run.Errors.find(start), std::string::npos) << start << "\n" << run.Errors;
  }
  std::map<std::string, nlohmann::json> rows = JsonRows(run.Output);
  EXPECT_NE(rows["locked.txt"]["ReadError"], "");
  EXPECT_EQ(rows["Mismatch.dll"]["ReadError"], "");
}

// A copy of the fixture module whose CLR header, over the start of its first section, has
// the flags.
void MakeDotNetImage(const std::string& target, std::uint32_t flags) {
  TImageBytes image(FixturePath("Mismatch.dll"));
  const std::uint32_t section = image.FirstSection();
  image.Put(image.DirectoryEntry(14), image.Number(section + 12, 4));
  image.Put(image.DirectoryEntry(14) + 4, 72);
  image.Put(image.Number(section + 20, 4), 72);
  image.Put(image.Number(section + 20, 4) + 16, flags);
  image.Write(target);
}

TEST(ConsoleReportTest, DotNetImagesNameTheProcessorsTheyRunOnAndNoModuleIsReplaced) {
  TTempTree tree;
  MakeDotNetImage(tree.Path("any.dll"), 0x1);
  MakeDotNetImage(tree.Path("any32.dll"), 0x1 | 0x2 | 0x20000);
  MakeDotNetImage(tree.Path("x86only.dll"), 0x1 | 0x2);
  MakeDotNetImage(tree.Path("mixed.dll"), 0x0);
  std::map<std::string, nlohmann::json> rows =
      JsonRows(RunQuillet("-f json " + Quoted(tree.Root())).Output);
  EXPECT_EQ(rows["any.dll"]["Machine"], "AnyCPU");
  EXPECT_EQ(rows["mixed.dll"]["DotNet"], true);
  EXPECT_EQ(rows["any32.dll"]["Machine"], "AnyCPU32");
  EXPECT_EQ(rows["x86only.dll"]["Machine"], FixtureMachine);
  EXPECT_EQ(rows["mixed.dll"]["Machine"], FixtureMachine);

  // The output never replaces a module, and is no row of its own report.
  const std::string module = FileBytes(tree.Path("any.dll"));
  TQuilletRun run = RunQuillet("-o " + Quoted(tree.Path("any.dll")) + " " + Quoted(tree.Root()));
  EXPECT_EQ(run.ExitCode, 4u);
  EXPECT_EQ(FileBytes(tree.Path("any.dll")), module);
  tree.File("report.json", "last run");
  run = RunQuillet("-f json -o " + Quoted(tree.Path("report.json")) + " " + Quoted(tree.Root()));
  EXPECT_EQ(run.ExitCode, 0u) << run.Errors;
  EXPECT_EQ(Names(FileBytes(tree.Path("report.json"))), "any.dll any32.dll mixed.dll x86only.dll ");
}

// Runs in the session whose code page is 932, where the second byte of a character may be
// that of "\\": a start folder whose name ends in one is still the folder itself.
TEST(ConsoleReportCodePage932Test, AFolderEndingInADoubleByteCharacterIsSearched) {
  if (GetACP() != 932) {
    GTEST_SKIP() << "the ANSI code page is " << GetACP();
  }
  TTempTree tree;
  const std::string so = "\x83\x5C"; // ソ
  tree.Folder(so);
  tree.File(so + "\\inside.txt", "x");
  TConsoleThread console;
  TReportOptions options;
  options.Folders = {tree.Path(so)};
  TConsoleProgress progress(true);
  std::vector<std::string> names;
  const TReportResult result =
      RunReport(options, progress, [&](const TReportRow& row) { names.push_back(row.Cells[0]); });
  EXPECT_TRUE(result.MissingFolders.empty());
  EXPECT_EQ(names, std::vector<std::string>{"inside.txt"});
}

} // namespace
