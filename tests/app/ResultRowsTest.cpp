#include "MainWindowSession.h"
#include "MainWindowTest.h"
#include "ResultRowFixtures.h"

#include "Application.h"
#include "UniqueHandle.h"
#include "VersionInfo.h"
#include "fileinfo/ShellFixtures.h"
#include "support/Pump.h"
#include "support/TempTree.h"

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

class ResultRowsTest : public TMainWindowTest {};

// The version strings and the three times that the version reader gives the path itself,
// in the order of the columns that show them.
std::vector<std::string> DirectVersionCells(const std::string& path) {
  TVersionInfo info(nullptr);
  info.SetRetrieveFilename(path);
  return {info.FileVersion(),      info.FileDescription(), info.OriginalFilename(),
          info.ProductName(),      info.ProductVersion(),  info.Comments(),
          info.InternalFilename(), info.CompanyName(),     info.LegalCopyright(),
          info.LegalTrademarks(),  info.Created(),         info.LastAccess(),
          info.LastModified()};
}

std::vector<std::string> VersionCells(const std::vector<std::string>& cells) {
  return {cells.begin() + rcFileVersion, cells.begin() + rcLastModified + 1};
}

bool AllEmpty(std::vector<std::string>::const_iterator begin,
              std::vector<std::string>::const_iterator end) {
  return std::all_of(begin, end, [](const std::string& cell) { return cell.empty(); });
}

HIMAGELIST SystemSmallImages() {
  SHFILEINFOA record = {};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("", 0, &record, sizeof(record), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

std::string SystemFile(const char* name) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, length) + "\\" + name;
}

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder, length) + "\\" + name;
}

// The letters of the attributes a test gave a file. Wine shows every file as archived,
// whatever was set, so there an "A" joins them.
std::string Letters(const std::string& path, std::string letters) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0 &&
      letters.find('A') == std::string::npos) {
    letters += 'A';
  }
  return letters;
}

struct TExpectedFile {
  std::string Folder; // relative to the tree's root, "" or ending in a backslash
  std::string Name;
  std::string Attributes;
  std::string Size;
};

// A row as the user reads it: the file's own name and folder, what the version reader says
// of the path joined from the two, and the shell's type and icon of that path.
void ExpectRowOfFile(const TListView& list, const std::string& directory, const std::string& name,
                     const std::string& attributes, const std::string& size) {
  SCOPED_TRACE(directory + name);
  const int row = RowOf(list, directory, name);
  ASSERT_GE(row, 0) << "no row";
  const std::vector<std::string> cells = RowTexts(list, row);
  const std::string path = directory + name;
  EXPECT_EQ(VersionCells(cells), DirectVersionCells(path));
  EXPECT_NE(cells[rcLastModified], "") << "the file's own times";
  EXPECT_EQ(cells[rcAttributes], Letters(path, attributes));
  EXPECT_EQ(cells[rcType], DirectTypeName(path));
  EXPECT_NE(cells[rcType], "");
  EXPECT_EQ(cells[rcSize], size);
  EXPECT_EQ(list.ItemImage(row), DirectIconIndex(path));
}

TEST_F(ResultRowsTest, EachFileShowsItsFolderAttributeLettersSizeTimesTypeAndIcon) {
  TTempTree tree;
  tree.Folder("sub");
  const DWORD none = FILE_ATTRIBUTE_NORMAL;
  const DWORD r = FILE_ATTRIBUTE_READONLY;
  const DWORD h = FILE_ATTRIBUTE_HIDDEN;
  const DWORD s = FILE_ATTRIBUTE_SYSTEM;
  const DWORD a = FILE_ATTRIBUTE_ARCHIVE;
  // The same name in two folders, with two sizes: each row must read its own file.
  tree.File("same.txt", std::string(10, 'x'), none);
  tree.File("sub\\same.txt", std::string(20, 'x'), none);
  tree.File("rhsa.txt", "four", r | h | s | a);
  tree.File("ra.txt", "two", r | a);
  tree.File("hs.txt", "two", h | s);
  tree.File("empty.txt", "", none);
  tree.File("held.txt", std::string(777, 'x'), none);
  tree.SparseFile("big.bin", 3ull << 30);
  const std::vector<TExpectedFile> files = {
      {"", "same.txt", "", "10"},  {"sub\\", "same.txt", "", "20"},   {"", "rhsa.txt", "RHSA", "4"},
      {"", "ra.txt", "RA", "3"},   {"", "hs.txt", "HS", "3"},         {"", "empty.txt", "", "0"},
      {"", "held.txt", "", "777"}, {"", "big.bin", "", "3221225472"},
  };
  for (const TExpectedFile& file : files) {
    ReadOnce(tree.Path(file.Folder + file.Name));
  }
  // Another program has the file open and lets nobody else open it.
  const TFileHandle holder(CreateFileA(tree.Path("held.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                                       0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);

  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt;*.bin", true));
  EXPECT_EQ(StatusText(form, 0), "Finished.");
  EXPECT_EQ(form.ListView->ItemCount(), static_cast<int>(files.size()));
  for (const TExpectedFile& file : files) {
    const std::string directory = tree.Root() + "\\" + file.Folder;
    ExpectRowOfFile(*form.ListView, directory, file.Name, file.Attributes, file.Size);
  }
  // A text file has no version strings.
  const std::vector<std::string> cells = RowTexts(*form.ListView, 0);
  EXPECT_TRUE(AllEmpty(cells.begin() + rcFileVersion, cells.begin() + rcLegalTrademarks + 1));
}

TEST_F(ResultRowsTest, ModulesShowTheirVersionStringsAndTheirOwnIcons) {
  TTempTree tree;
  // Real modules of this system, copied so that the test owns their names.
  ASSERT_TRUE(CopyFileA(SystemFile("version.dll").c_str(), tree.Path("module.dll").c_str(), TRUE));
  ASSERT_TRUE(
      CopyFileA(WindowsFile("regedit.exe").c_str(), tree.Path("program.exe").c_str(), TRUE));
  tree.File("notes.txt", "no version here");
  for (const char* name : {"module.dll", "program.exe", "notes.txt"}) {
    ReadOnce(tree.Path(name));
  }

  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.dll;*.exe;*.txt", false));
  ASSERT_EQ(form.ListView->ItemCount(), 3);
  const std::string directory = tree.Root() + "\\";
  for (const char* name : {"module.dll", "program.exe"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(DirectVersionCells(directory + name)[0], "") << "a module with a file version";
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((directory + name).c_str(), GetFileExInfoStandard, &data));
    ExpectRowOfFile(*form.ListView, directory, name, "", std::to_string(data.nFileSizeLow));
  }
  ExpectRowOfFile(*form.ListView, directory, "notes.txt", "", "15");
}

TEST_F(ResultRowsTest, SemicolonsInFolderAndFileNamesStillNameTheFileFound) {
  TTempTree tree;
  tree.Folder("semi;colon");
  tree.Folder("semi;colon\\end;");
  const std::vector<TExpectedFile> files = {
      {"", "a;b.txt", "", "1"},
      {"", ";lead.txt", "", "22"},
      {"", "trail;", "", "333"},
      {"semi;colon\\", "plain.txt", "", "4444"},
      {"semi;colon\\", "x;y;z.txt", "", "55555"},
      {"semi;colon\\end;\\", "deep;.txt", "", "666666"},
  };
  for (const TExpectedFile& file : files) {
    const std::string relative = file.Folder + file.Name;
    tree.File(relative, std::string(std::stoul(file.Size), 'x'), FILE_ATTRIBUTE_NORMAL);
    ReadOnce(tree.Path(relative));
  }

  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt;trail*", true));
  EXPECT_EQ(form.ListView->ItemCount(), static_cast<int>(files.size()));
  for (const TExpectedFile& file : files) {
    ExpectRowOfFile(*form.ListView, tree.Root() + "\\" + file.Folder, file.Name, file.Attributes,
                    file.Size);
  }
}

TEST_F(ResultRowsTest, FilesFrom1975GetFullRowsAndFoldersShowNoFactsOfTheRowBefore) {
  TTempTree tree;
  tree.Folder("folder");
  tree.File("old.txt", "from 1975", FILE_ATTRIBUTE_NORMAL);
  tree.File("new.txt", "from today", FILE_ATTRIBUTE_READONLY);
  SetLastWriteTime(tree.Path("old.txt"), 1975, 6, 15);
  ReadOnce(tree.Path("old.txt"));
  ReadOnce(tree.Path("new.txt"));

  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  const TListView& list = *form.ListView;
  // The second mask finds every entry again, the folder among them, so that a file's row
  // always comes before the folder's.
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt;*.*", false));
  ASSERT_EQ(list.ItemCount(), 5);
  const std::string directory = tree.Root() + "\\";
  ExpectRowOfFile(list, directory, "old.txt", "", "9");
  EXPECT_EQ(RowTexts(list, RowOf(list, directory, "old.txt"))[rcLastModified],
            DirectVersionCells(directory + "old.txt").back());
  ExpectRowOfFile(list, directory, "new.txt", "R", "10");

  const int row = RowOf(list, directory, "folder");
  ASSERT_GE(row, 1);
  const std::vector<std::string> before = RowTexts(list, row - 1);
  ASSERT_NE(before[rcType], "") << "the row before is a file's";
  const std::vector<std::string> cells = RowTexts(list, row);
  EXPECT_TRUE(AllEmpty(cells.begin() + rcFileVersion, cells.begin() + rcAttributes + 1));
  EXPECT_EQ(cells[rcDirectory], directory);
  EXPECT_EQ(cells[rcType], "");
  EXPECT_EQ(cells[rcSize], "0");
  EXPECT_EQ(list.ItemImage(row), DirectIconIndex(directory + "folder"));
}

// Removes a file that the test made outside its own tree.
class TFileRemover {
public:
  explicit TFileRemover(std::string path) : FPath(std::move(path)) {}
  ~TFileRemover() { DeleteFileA(FPath.c_str()); }
  TFileRemover(const TFileRemover&) = delete;
  TFileRemover& operator=(const TFileRemover&) = delete;

private:
  std::string FPath;
};

TEST_F(ResultRowsTest, AFileInTheRootOfADriveHasTheDriveAndItsBackslashAsDirectory) {
  const std::string drive = SystemFile("").substr(0, 3); // "C:\" where the system lives
  const std::string name = "kovquillet-rows-" + std::to_string(GetCurrentProcessId()) + ".txt";
  const std::string path = drive + name;
  {
    const TFileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    if (!file && GetLastError() == ERROR_ACCESS_DENIED) {
      GTEST_SKIP() << "this user may not create files in " << drive;
    }
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), "root", 4, &written, nullptr));
  }
  const TFileRemover remover(path);
  ReadOnce(path);

  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  ASSERT_TRUE(SearchAndWait(session, drive, name, false));
  ASSERT_EQ(form.ListView->ItemCount(), 1);
  EXPECT_EQ(form.ListView->ItemText(0, rcDirectory), drive);
  ExpectRowOfFile(*form.ListView, drive, name, "", "4");
}

// The rows the list held at each count after the first text, which Find writes.
std::vector<int> Tail(const std::vector<int>& rows) {
  return rows.empty() ? rows : std::vector<int>(rows.begin() + 1, rows.end());
}

// Five files found one after another.
void MakeFiveFiles(const TTempTree& tree) {
  for (int file = 1; file <= 5; ++file) {
    tree.File("file" + std::to_string(file) + ".txt", "text");
  }
}

TEST_F(ResultRowsTest, ASecondSearchShowsTheFileAsItIsNow) {
  TTempTree tree;
  tree.File("grows.txt", "1234");
  TMainWindowSession session(Log());
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", false));
  EXPECT_EQ(RowTexts(*session.Form().ListView, 0)[rcSize], "4");
  {
    const TFileHandle file(CreateFileA(tree.Path("grows.txt").c_str(), FILE_APPEND_DATA, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), "56789", 5, &written, nullptr));
  }
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", false));
  EXPECT_EQ(RowTexts(*session.Form().ListView, 0)[rcSize], "9");
}

TEST_F(ResultRowsTest, TheFoundCountStepsOnceForEveryRowJustBeforeTheRowIsAdded) {
  TTempTree tree;
  MakeFiveFiles(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TFoundCountWatch counts(form.StatusBar1->Handle(), *form.ListView);

  for (int search = 0; search < 2; ++search) {
    SCOPED_TRACE("search " + std::to_string(search + 1));
    ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", false));
    EXPECT_EQ(counts.Texts(), (std::vector<std::string>{"", "Found: 1", "Found: 2", "Found: 3",
                                                        "Found: 4", "Found: 5"}));
    // Find empties the status before the list, so only the counts tell of the new rows.
    EXPECT_EQ(Tail(counts.RowsAtText()), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(form.ListView->ItemCount(), 5);
    EXPECT_EQ(StatusText(form, 1), "Found: 5");
    counts.Clear();
  }
}

TEST_F(ResultRowsTest, BetweenMessageIntervalsTheCountWaitsAndIsExactWhenTheRunEnds) {
  TTempTree tree;
  MakeFiveFiles(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TFoundCountWatch counts(form.StatusBar1->Handle(), *form.ListView);
  // Longer than the whole run: the window handles no messages between the found files.
  session.App().SetMessageInterval(60000);
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", false));
  EXPECT_EQ(counts.Texts(), (std::vector<std::string>{"", "Found: 5"}));
  EXPECT_EQ(form.ListView->ItemCount(), 5);
  EXPECT_EQ(StatusText(form, 0), "Finished.");
}

// The full order in which a search of the tree lists its files.
std::vector<std::string> FullRun(TMainWindowSession& session, const TTempTree& tree) {
  EXPECT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", false));
  return ColumnTexts(*session.Form().ListView, rcName);
}

TEST_F(ResultRowsTest, StopMidSearchKeepsTheRowsFoundSoFarAndTheLastCount) {
  TTempTree tree;
  MakeFiveFiles(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  const std::vector<std::string> all = FullRun(session, tree);
  ASSERT_EQ(all.size(), 5u);

  // Stop is pressed as the third file is counted; the handler hears it before it adds the
  // row, which still lands, and the walk ends before the fourth file.
  TFoundCountWatch counts(form.StatusBar1->Handle(), *form.ListView);
  counts.OnText = [&](const std::string& text) {
    if (text == "Found: 3") {
      PostMessageA(form.BtnStop->Handle(), BM_CLICK, 0, 0);
    }
  };
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", false));
  EXPECT_EQ(StatusText(form, 0), "Cancelled.");
  EXPECT_EQ(StatusText(form, 1), "Found: 3");
  EXPECT_EQ(ColumnTexts(*form.ListView, rcName),
            std::vector<std::string>(all.begin(), all.begin() + 3));
}

TEST_F(ResultRowsTest, EnterInTheFolderBoxMidSearchEmptiesTheListWhichTheNextRowsFill) {
  TTempTree tree;
  MakeFiveFiles(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  const std::vector<std::string> all = FullRun(session, tree);
  ASSERT_EQ(all.size(), 5u);

  // Enter is pressed as the second file is counted: the list empties and the count starts
  // again while the walk goes on, so the second file's row is the first of the new list.
  TFoundCountWatch counts(form.StatusBar1->Handle(), *form.ListView);
  counts.OnText = [&](const std::string& text) {
    if (text == "Found: 2" && counts.Texts().size() == 3) {
      PostKey(form.edStartDir->Handle(), VK_RETURN);
    }
  };
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", false));
  session.App().ProcessMessages();
  EXPECT_EQ(StatusText(form, 0), "Finished.");
  EXPECT_EQ(counts.Texts(), (std::vector<std::string>{"", "Found: 1", "Found: 2", "", "Found: 1",
                                                      "Found: 2", "Found: 3"}));
  // The row of the second file lands after the list was emptied, before the next count.
  EXPECT_EQ(Tail(counts.RowsAtText()), (std::vector<int>{0, 1, 1, 1, 2, 3}));
  EXPECT_EQ(ColumnTexts(*form.ListView, rcName),
            std::vector<std::string>(all.begin() + 1, all.end()));
  EXPECT_EQ(StatusText(form, 1), "Found: 3");
}

TEST_F(ResultRowsTest, RowsShowIconsOfTheShellsSystemListWhichOutlivesTheWindow) {
  TTempTree tree;
  tree.File("notes.txt", "text");
  tree.File("setup.ini", "[text]");
  const HIMAGELIST system = SystemSmallImages();
  ASSERT_NE(system, nullptr);
  HWND window = nullptr;
  {
    TMainWindowSession session(Log());
    TfrmQuilletMain& form = session.Form();
    window = form.Handle();
    const TListView& list = *form.ListView;
    EXPECT_EQ(list.SmallImages(), system);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list.SmallImages(), &width, &height));
    EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(height, GetSystemMetrics(SM_CYSMICON));

    ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.*", false));
    ASSERT_EQ(list.ItemCount(), 2);
    const int imagesBefore = ImageList_GetImageCount(system);
    for (int row = 0; row < 2; ++row) {
      const std::string path = tree.Path(list.ItemText(row, rcName));
      EXPECT_EQ(list.ItemImage(row), DirectIconIndex(path)) << path;
      EXPECT_LT(list.ItemImage(row), ImageList_GetImageCount(system));
      for (int subItem = 1; subItem < ResultColumnCount; ++subItem) {
        EXPECT_EQ(SubItemImage(list, row, subItem), -1) << "column " << subItem;
      }
    }

    // Closing lets go of the list without destroying it.
    PostMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return session.App().Terminated(); }));
    EXPECT_EQ(list.SmallImages(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(system), imagesBefore);
  }
  EXPECT_FALSE(IsWindow(window));
  const int images = ImageList_GetImageCount(system);
  EXPECT_GT(images, 0);
  EXPECT_EQ(SystemSmallImages(), system);

  // The next window of the process shows the same list, intact.
  TMainWindowSession session(Log());
  EXPECT_EQ(session.Form().ListView->SmallImages(), system);
}

// Counts the paints of a window.
class TPaintCount {
public:
  explicit TPaintCount(HWND window) : FWindow(window) {
    SetWindowSubclass(FWindow, &Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  ~TPaintCount() { RemoveWindowSubclass(FWindow, &Proc, 1); }
  TPaintCount(const TPaintCount&) = delete;
  TPaintCount& operator=(const TPaintCount&) = delete;

  int Paints = 0;

private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    if (message == WM_PAINT) {
      ++reinterpret_cast<TPaintCount*>(data)->Paints;
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }

  HWND FWindow;
};

TEST_F(ResultRowsTest, RowsAddedInABurstAreDrawnTogetherSoonAfter) {
  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  Application->ProcessMessages();
  TPaintCount count(list.Handle());
  // As a search adds them: messages are handled between the rows.
  for (int row = 0; row < 40; ++row) {
    list.AddRow(TaggedRow(std::to_string(row)), 0);
    Application->ProcessMessages();
  }
  EXPECT_LE(count.Paints, 1);
  ASSERT_TRUE(PumpUntil([&] { return count.Paints > 0; }, 5000));
  EXPECT_EQ(list.ItemCount(), 40);
  // The list draws again as ever once the burst is over.
  const int paints = count.Paints;
  InvalidateRect(list.Handle(), nullptr, TRUE);
  ASSERT_TRUE(PumpUntil([&] { return count.Paints > paints; }, 5000));
}

} // namespace
