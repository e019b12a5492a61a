#include "MainWindowTest.h"
#include "ResultRowFixtures.h"

#include "StoredSession.h"

#include "Paths.h"
#include "Strings.h"
#include "UniqueHandle.h"

#include "cli/QuilletProcess.h"
#include "picker/BrowseMessages.h"
#include "shell/ShellDrivers.h"
#include "support/DialogScript.h"
#include "support/Pump.h"
#include "support/StoredSettings.h"
#include "support/TempTree.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>
#include <sstream>

// Names and version texts in every script, in programs whose ANSI code page is UTF-8 by
// their manifest, on a system whose own code page is 1252.

namespace {

const std::string Company = "Компания 株式会社 😀";
const std::string Folder = "папка";

struct TFileCase {
  std::string Folder; // relative, with its backslash; empty for the root
  std::string Name;
  std::string Size;
  bool Module = false;
};

// Cyrillic, Chinese, Greek, Arabic, an emoji (four bytes), e with a combining accent and a
// name of code page 1252; the two modules have version texts in several scripts.
const std::vector<TFileCase> Files = {
    {"", "архив.exe", "", true},
    {Folder + "\\", "压缩.exe", "", true},
    {Folder + "\\", "Ελληνικά.txt", "3"},
    {"", "عربي.txt", "4"},
    {"", "😀.txt", "1"},
    {"", "e\xCC\x81.txt", "0"},
    {"", "café.txt", "2"},
};

class UnicodeNamesTest : public TMainWindowTest {
protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest declares UTF-8";
    FTree.Folder(Folder);
    const std::string program = ModuleFileName();
    const std::string fixture = program.substr(0, LastDelimiter(program, "\\") + 1) + "Unicode.dll";
    for (const TFileCase& file : Files) {
      const std::string path = FTree.Path(file.Folder + file.Name);
      if (file.Module) {
        ASSERT_TRUE(CopyFileA(fixture.c_str(), path.c_str(), FALSE)) << path;
      } else {
        FTree.File(file.Folder + file.Name, std::string(std::stoul(file.Size), 'x'));
      }
    }
    WIN32_FILE_ATTRIBUTE_DATA module = {};
    ASSERT_TRUE(GetFileAttributesExA(fixture.c_str(), GetFileExInfoStandard, &module));
    FModuleSize = std::to_string(module.nFileSizeLow);
  }
  std::string SizeOf(const TFileCase& file) const { return file.Module ? FModuleSize : file.Size; }

  TTempTree FTree;
  std::string FModuleSize;
};

TEST_F(UnicodeNamesTest, TheWindowListsSavesRenamesAndDeletesEveryName) {
  OwnTrash();
  TMainWindowSession& session = OpenSession();
  ASSERT_TRUE(SearchAndWait(session, FTree.Root(), "*.exe;*.txt", true));
  TListView& list = *session.Form().ListView;
  EXPECT_EQ(list.ItemCount(), static_cast<int>(Files.size()));
  for (const TFileCase& file : Files) {
    const int row = RowOf(list, FTree.Root() + "\\" + file.Folder, file.Name);
    ASSERT_GE(row, 0) << file.Name;
    const std::vector<std::string> cells = RowTexts(list, row);
    EXPECT_EQ(cells[rcSize], SizeOf(file)) << file.Name;
    EXPECT_EQ(cells[rcCompanyName], file.Module ? Company : "") << file.Name;
    EXPECT_EQ(cells[rcDescription], file.Module ? "Ελληνικά και العربية" : "") << file.Name;
  }

  // Save As, to a report named in Cyrillic: one UTF-8 line a file.
  const std::string report = FTree.Path("отчёт.txt");
  {
    TDialogScript script({TypeFileName(report)});
    PostKey(session.Form().edStartDir->Handle(), 'S', true);
    EXPECT_TRUE(PumpUntil([&] { return script.Done(); }));
  }
  const std::string bytes = FileBytes(report);
  for (const TFileCase& file : Files) {
    EXPECT_NE(bytes.find("\r\n" + file.Name + "\t\t"), std::string::npos) << file.Name;
    EXPECT_NE(bytes.find("\t\t" + FTree.Root() + "\\" + file.Folder + "\t\t"), std::string::npos);
  }
  EXPECT_NE(bytes.find(Company), std::string::npos);

  // A new name in Chinese, then the shell's delete, each on the file the user chose.
  const auto select = [&](const std::string& name) {
    list.SetRowSelected(-1, false);
    const int row = RowOf(list, FTree.Root() + "\\", name);
    list.SetRowSelected(row, true);
    list.SetFocus();
    return row;
  };
  const int renamed = select("café.txt");
  SendMessageA(list.Handle(), WM_KEYDOWN, VK_F2, 1);
  const auto edit = reinterpret_cast<HWND>(SendMessageA(list.Handle(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "新名字.txt");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(list.ItemText(renamed, rcName), "新名字.txt");
  EXPECT_EQ(FileBytes(FTree.Path("新名字.txt")), "xx");
  EXPECT_EQ(FileBytes(FTree.Path("café.txt")), "<missing>");

  select("😀.txt");
  TDialogScript confirm({Press(IDYES)});
  SendMessageA(list.Handle(), WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_TRUE(confirm.Done());
  EXPECT_EQ(FileBytes(FTree.Path("😀.txt")), "<missing>");
  EXPECT_EQ(FileBytes(FTree.Path("عربي.txt")), "xxxx");
  EXPECT_EQ(list.ItemCount(), static_cast<int>(Files.size()) - 1);
}

// The registry's own text of a stored value, as another program would read it.
std::wstring StoredText(const wchar_t* name) {
  wchar_t text[512] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  RegGetValueW(HKEY_CURRENT_USER, L"Software\\KOV\\KOVQuillet\\Main", name, RRF_RT_REG_SZ, nullptr,
               text, &size);
  return text;
}

TEST_F(UnicodeNamesTest, ThePickedFolderAndTheMasksComeBackWholeAtTheNextStart) {
  const std::string folder = FTree.Path("данные");
  FTree.Folder("данные");
  const std::string masks = "*.исп;*.😀";
  ClearStoredSettings();
  {
    TStoredSession session(Log());
    session.Show();
    TfrmQuilletMain& form = session.Form();
    TDialogScript picker({[&](HWND dialog) {
      SelectInPicker(dialog, folder);
      Press(IDOK)(dialog);
    }});
    Click(form.BtnBrowse->Handle());
    EXPECT_EQ(form.edStartDir->Text(), folder);
    SetText(form.edFileMasks, masks);
    ASSERT_TRUE(session.PressCloseBox());
  }
  EXPECT_EQ(StoredText(L"edStartDir_Text"), WideFromAnsi(folder));
  EXPECT_EQ(StoredText(L"edFileMasks_Text"), WideFromAnsi(masks));
  TStoredSession session(Log());
  session.Show();
  EXPECT_EQ(session.Form().edStartDir->Text(), folder);
  EXPECT_EQ(session.Form().edFileMasks->Text(), masks);
}

TEST_F(UnicodeNamesTest, TheConsoleReportGivesEveryRowInCsvAndJson) {
  const std::string arguments = "-r -m \"*.exe;*.txt\" \"" + FTree.Root() + "\"";
  const TQuilletRun csv = RunQuillet("-f csv " + arguments);
  const TQuilletRun json = RunQuillet("-f json " + arguments);
  EXPECT_EQ(csv.ExitCode, 0u) << csv.Errors;
  EXPECT_EQ(json.ExitCode, 0u) << json.Errors;
  std::map<std::string, nlohmann::json> rows;
  std::istringstream lines(json.Output);
  for (std::string line; std::getline(lines, line);) {
    const nlohmann::json row = nlohmann::json::parse(line);
    rows[row["Directory"].get<std::string>() + row["Name"].get<std::string>()] = row;
  }
  EXPECT_EQ(rows.size(), Files.size());
  for (const TFileCase& file : Files) {
    const std::string path = FTree.Root() + "\\" + file.Folder + file.Name;
    ASSERT_EQ(rows.count(path), 1u) << path;
    EXPECT_EQ(std::to_string(rows[path]["Size"].get<long long>()), SizeOf(file)) << path;
    EXPECT_EQ(rows[path]["CompanyName"], file.Module ? Company : "") << path;
    EXPECT_NE(csv.Output.find("\n" + file.Name + ","), std::string::npos) << file.Name;
  }
  EXPECT_NE(csv.Output.find("," + Company + ","), std::string::npos);
}

} // namespace
