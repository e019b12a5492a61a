#include "ListViewDriver.h"
#include "MainWindowSession.h"
#include "MainWindowTest.h"

#include "Paths.h"

#include "support/DialogScript.h"
#include "support/Pump.h"
#include "support/TempTree.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SaveReportTest : public TMainWindowTest {};

// A report line: the cells joined by two tabs, ended by CR LF.
std::string Line(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    line += (i > 0 ? "\t\t" : "") + cells[i];
  }
  return line + "\r\n";
}

std::string FileBytes(const std::string& path) {
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return "<missing>";
  }
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

// A file copied beside the test program when it was built.
std::string BesideTheProgram(const std::string& name) {
  const std::string program = ModuleFileName();
  return program.substr(0, LastDelimiter(program, "\\") + 1) + name;
}

// Presses Alt+S, as a user starts Save As, and gives the boxes it shows the answers in turn;
// answers what each box showed once the action has ended.
std::vector<TMessageBoxSeen> SaveAs(const TMainWindowSession& session,
                                    std::vector<TDialogScript::TAnswer> answers) {
  TDialogScript script(std::move(answers));
  PostKey(session.Form().edStartDir->Handle(), 'S', true);
  // The boxes are modal inside the action's handling of the key, so by the time the pump is
  // back here to see the last answer given, the action has ended.
  EXPECT_TRUE(PumpUntil([&] { return script.Done(); }));
  return script.Seen();
}

TEST_F(SaveReportTest, AnEmptyListOnlySaysThereIsNothingToSave) {
  TMainWindowSession session(Log());
  const std::vector<TMessageBoxSeen> seen = SaveAs(session, {Press(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Caption, session.App().Title());
  EXPECT_EQ(seen[0].Text, "Sorry! But there is nothing to save :-)");
  EXPECT_EQ(seen[0].Buttons, std::vector<int>{IDOK});
  EXPECT_FALSE(seen[0].ErrorIcon);
}

TEST_F(SaveReportTest, OneRowGivesTheHeaderAndOneLineAndACancelWritesNothing) {
  TTempTree tree;
  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  list.AddRow(TaggedRow("a"), 0);

  SaveAs(session, {Press(IDCANCEL)});
  EXPECT_EQ(FileBytes(tree.Path("report.txt")), "<missing>");

  // The default extension joins a name typed without one.
  const std::vector<TMessageBoxSeen> seen = SaveAs(session, {TypeFileName(tree.Path("report"))});
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(FileBytes(tree.Path("report.txt")), Line(ResultCaptions) + Line(TaggedRow("a")));
  // The dialog keeps the name, which the stored settings take at the close.
  EXPECT_EQ(session.Form().SaveDialog1->FileName(), tree.Path("report.txt"));
  EXPECT_EQ(list.ItemCount(), 1);
}

TEST_F(SaveReportTest, KnownRowsGiveTheGoldenReportByteForByte) {
  // Rows as searches show them: texts beyond ASCII in the ANSI code page, ";" in a folder,
  // empty cells, a root folder.
  const std::vector<std::vector<std::string>> rows = {
      {"quillet.dll", "1.1.0.7", "Quillet engine", "quillet.dll", "KOVQuillet", "1.1", "",
       "quillet", "KOV Software", "Copyright \xa9 2026 KOV Software", "", "3/4/2026 9:05:01 AM",
       "12/8/2026", "12/8/2026 4:20:00 PM", "RA", "C:\\Program Files\\KOV;Quillet\\",
       "Application extension", "1048576"},
      {"readme.txt", "", "", "", "", "", "", "", "", "", "", "1/1/1980", "1/1/1980", "1/1/1980", "",
       "C:\\Program Files\\KOV;Quillet\\", "Text Document", "0"},
      {"caf\xe9 notes.TXT", "", "", "", "", "", "", "", "", "", "", "", "", "", "HS", "C:\\",
       "TXT-Files", "12"},
  };
  TTempTree tree;
  TMainWindowSession session(Log());
  for (const std::vector<std::string>& row : rows) {
    session.Form().ListView->AddRow(row, 0);
  }
  SaveAs(session, {TypeFileName(tree.Path("golden.txt"))});
  const std::string golden = FileBytes(BesideTheProgram("SavedReport.txt"));
  ASSERT_NE(golden, "<missing>");
  EXPECT_EQ(FileBytes(tree.Path("golden.txt")), golden);
}

TEST_F(SaveReportTest, RowsFollowTheSortAndCellsKeepTheirIndexOrderAndTheirTextsAsHeld) {
  TTempTree tree;
  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  std::vector<std::pair<int, std::string>> noVersion;
  for (int column = 1; column <= 10; ++column) {
    noVersion.emplace_back(column, "");
  }
  noVersion.emplace_back(rcSize, "20");
  const std::vector<std::string> a = TaggedRow("a", noVersion);
  const std::vector<std::string> b =
      TaggedRow("b", {{rcSize, "9"}, {rcFileVersion, "tab\there"}, {rcType, "two\r\nlines"}});
  const std::vector<std::string> c = TaggedRow("c", {{rcSize, "100"}});
  for (const auto* row : {&a, &b, &c}) {
    list.AddRow(*row, 0);
  }
  // The first click on "Size" sorts descending, as text: 9, 20, 100.
  ClickHeader(list, rcSize);
  // Headers dragged into another order change nothing in the file.
  std::vector<int> order(ResultColumnCount);
  for (int i = 0; i < ResultColumnCount; ++i) {
    order[static_cast<std::size_t>(i)] = ResultColumnCount - 1 - i;
  }
  SendMessageA(list.Handle(), LVM_SETCOLUMNORDERARRAY, order.size(),
               reinterpret_cast<LPARAM>(order.data()));

  SaveAs(session, {TypeFileName(tree.Path("sorted.txt"))});
  const std::string bytes = FileBytes(tree.Path("sorted.txt"));
  EXPECT_EQ(bytes, Line(ResultCaptions) + Line(b) + Line(a) + Line(c));
  // Ten empty version cells leave eleven separators between the name and "Created".
  EXPECT_NE(bytes.find("a" + std::string(22, '\t') + "11:a"), std::string::npos);
}

TEST_F(SaveReportTest, AnExistingFileIsReplacedWholeOnlyWhenTheUserSaysSo) {
  TTempTree tree;
  TMainWindowSession session(Log());
  session.Form().ListView->AddRow(TaggedRow("a"), 0);
  const std::string old(5000, 'x');
  tree.File("old.txt", old);

  std::vector<TMessageBoxSeen> seen =
      SaveAs(session, {TypeFileName(tree.Path("old.txt")), Press(IDNO), Press(IDCANCEL)});
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1].Buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(FileBytes(tree.Path("old.txt")), old);

  seen = SaveAs(session, {TypeFileName(tree.Path("old.txt")), Press(IDYES)});
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(FileBytes(tree.Path("old.txt")), Line(ResultCaptions) + Line(TaggedRow("a")));
}

TEST_F(SaveReportTest, AFileThatCannotBeCreatedIsReportedByNameAndTheOldOneStays) {
  TTempTree tree;
  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  list.AddRow(TaggedRow("a"), 0);
  for (const DWORD attribute :
       {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    SCOPED_TRACE("attribute " + std::to_string(attribute));
    const std::string name = "kept" + std::to_string(attribute) + ".txt";
    tree.File(name, "old content", attribute);
    SaveAs(session, {TypeFileName(tree.Path(name)), Press(IDYES)});
    const std::string expected = "Cannot create file " + tree.Path(name);
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{expected});
    EXPECT_EQ(FileBytes(tree.Path(name)), "old content");
    EXPECT_EQ(GetFileAttributesA(tree.Path(name).c_str()) & attribute, attribute);
  }
  EXPECT_EQ(list.ItemCount(), 1);
}

TEST_F(SaveReportTest, AFileInAFolderThatIsGoneIsReportedByName) {
  TTempTree tree;
  TMainWindowSession session(Log());
  session.Form().ListView->AddRow(TaggedRow("a"), 0);
  tree.Folder("gone");
  // The folder goes while the dialog is up, after the dialog has seen it.
  const std::string path = tree.Path("gone\\report.txt");
  SaveAs(session, {[&](HWND dialog) {
           RemoveDirectoryA(tree.Path("gone").c_str());
           TypeFileName(path)(dialog);
         }});
  EXPECT_EQ(TakeErrors(), std::vector<std::string>{"Cannot create file " + path});
  EXPECT_EQ(GetFileAttributesA(tree.Path("gone").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
