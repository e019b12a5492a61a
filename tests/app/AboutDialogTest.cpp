#include "MainWindowSession.h"
#include "MainWindowTest.h"

#include "QuilletAbout.h"

#include "support/DialogBoxes.h"
#include "support/ImportSlots.h"

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class AboutDialogTest : public TMainWindowTest {};

// Points this program's calls of a system function at a stand-in while it lives.
template <typename TFunction>
class TImportSwap {
public:
  TImportSwap(const char* function, TFunction standIn) : FSlots(ImportSlots(nullptr, function)) {
    if (FSlots.empty()) {
      throw std::logic_error(std::string("The program does not import ") + function);
    }
    Real = reinterpret_cast<TFunction>(*FSlots.front());
    for (void** slot : FSlots) {
      Redirect(slot, reinterpret_cast<void*>(standIn));
    }
  }
  ~TImportSwap() {
    for (void** slot : FSlots) {
      Redirect(slot, reinterpret_cast<void*>(Real));
    }
  }
  TImportSwap(const TImportSwap&) = delete;
  TImportSwap& operator=(const TImportSwap&) = delete;

  static inline TFunction Real = nullptr;

private:
  std::vector<void**> FSlots;
};

// Answers each About dialog that opens, from a timer that its modal loop runs. A dialog still
// open a while after its answer is closed, so that a wrong turn fails the test instead of
// holding it.
class TAboutAnswers {
public:
  explicit TAboutAnswers(std::function<void(TfrmAboutDlg&)> answer)
      : FAnswer(std::move(answer)), FTimer(SetTimer(nullptr, 0, 20, &Tick)) {
    Active = this;
  }
  ~TAboutAnswers() {
    KillTimer(nullptr, FTimer);
    Active = nullptr;
  }
  TAboutAnswers(const TAboutAnswers&) = delete;
  TAboutAnswers& operator=(const TAboutAnswers&) = delete;

  // The dialogs answered, in turn.
  const std::vector<HWND>& Answered() const { return FAnswered; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TAboutAnswers* self = Active;
    if (self == nullptr || frmAboutDlg == nullptr || !frmAboutDlg->Visible()) {
      return;
    }
    if (self->FAnswered.empty() || self->FAnswered.back() != frmAboutDlg->Handle()) {
      self->FAnswered.push_back(frmAboutDlg->Handle());
      self->FAnsweredAt = GetTickCount64();
      self->FAnswer(*frmAboutDlg);
    } else if (GetTickCount64() - self->FAnsweredAt > 5000) {
      ADD_FAILURE() << "the About dialog stayed open after its answer";
      frmAboutDlg->SetModalResult(mrCancel);
    }
  }

  static inline TAboutAnswers* Active = nullptr;
  std::function<void(TfrmAboutDlg&)> FAnswer;
  std::vector<HWND> FAnswered;
  ULONGLONG FAnsweredAt = 0;
  UINT_PTR FTimer;
};

// What the tool bar tells its parent when the About button is clicked; returns when the
// dialog has closed.
void ClickAboutButton(const TfrmQuilletMain& form) {
  const HWND bar = form.ToolBar1->Handle();
  TBBUTTON button = {};
  SendMessageA(bar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&button));
  SendMessageA(GetParent(bar), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
               reinterpret_cast<LPARAM>(bar));
}

// "&Help", "&About".
void ChooseAboutFromMenu(const TfrmQuilletMain& form) {
  const HMENU help = GetSubMenu(GetMenu(form.Handle()), 1);
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(help, 0), 0), 0);
}

// A key the user presses in the dialog.
void PressKey(WORD key) {
  PostKey(GetFocus(), key);
}

LOGFONTA FontOf(const TWinControl* control) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control->Handle(), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  return font;
}

// The text colour the label's parent gives it to paint with.
COLORREF TextColorOf(const TWinControl* label) {
  const HDC dc = CreateCompatibleDC(nullptr);
  SendMessageA(GetParent(label->Handle()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label->Handle()));
  const COLORREF color = GetTextColor(dc);
  DeleteDC(dc);
  return color;
}

// The pointer shape the label sets while the mouse is over it.
HCURSOR CursorOver(const TWinControl* label) {
  SendMessageA(label->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

std::string MemoryText() {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return std::to_string(status.ullTotalPhys >> 10) + " KB";
}

TEST_F(AboutDialogTest, ShowsItsControlsInPlaceWhileTheMainWindowWaits) {
  const TfrmQuilletMain& form = OpenSession().Form();
  const int componentsBefore = Application->ComponentCount();
  TAboutAnswers answers([&](TfrmAboutDlg& dialog) {
    const HWND window = dialog.Handle();
    EXPECT_FALSE(IsWindowEnabled(form.Handle())) << "the main window waits";
    EXPECT_EQ(WindowText(window), "About");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 321);
    EXPECT_EQ(client.bottom, 265);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2, 1);
    EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, 1);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_STREQ(FontOf(&dialog).lfFaceName, "MS Sans Serif");
    EXPECT_EQ(FontOf(&dialog).lfHeight, -11);

    // Labels that fit their text are checked by their top left corner; their size is the
    // font's.
    struct TExpected {
      const TWinControl* Control;
      TPlace Place; // a width of 0: the label's own
      const char* Text;
    };
    const TExpected expected[] = {
        {dialog.imgProductIcon, {8, 8, 32, 32}, ""},
        {dialog.lbProductName1, {48, 8, 0, 0}, "KOV"},
        {dialog.lbProductName2, {48, 24, 0, 0}, "Quillet"},
        {dialog.lbVersion, {48, 56, 0, 0}, "Version 1.1"},
        {dialog.lbCopyright, {48, 72, 0, 0}, "Copyright (c) 2026 KOV Software"},
        {dialog.lbWebLink, {48, 88, 222, 13}, "support@kovquillet.example"},
        {dialog.BevelMidt, {48, 120, 261, 2}, ""},
        {dialog.lbMemory1, {48, 128, 0, 0}, "Memory available to Windows:"},
        {dialog.BtnOk, {234, 152, 75, 25}, "OK"},
        {dialog.pnlComments, {48, 192, 261, 62}, ""},
    };
    for (const TExpected& control : expected) {
      SCOPED_TRACE(control.Control->Name());
      TPlace place = PlaceIn(control.Control->Handle(), window);
      if (control.Place.Width == 0) {
        place.Width = place.Height = 0;
      }
      EXPECT_EQ(place, control.Place);
      EXPECT_EQ(WindowText(control.Control->Handle()), control.Text);
    }
    const TPlace memory = PlaceIn(dialog.lbMemory2->Handle(), window);
    EXPECT_EQ(memory.Left + memory.Width, 309) << "right-aligned at 309";
    EXPECT_EQ(memory.Top, 128);
    EXPECT_EQ(WindowText(dialog.lbMemory2->Handle()), MemoryText());
    EXPECT_EQ(dialog.imgProductIcon->Icon(), LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
    EXPECT_EQ(GetParent(dialog.lbComments->Handle()), dialog.pnlComments->Handle());

    EXPECT_STREQ(FontOf(dialog.lbProductName1).lfFaceName, "Times New Roman");
    EXPECT_EQ(FontOf(dialog.lbProductName1).lfHeight, -21);
    EXPECT_EQ(FontOf(dialog.lbProductName1).lfWeight, FW_BOLD);
    EXPECT_STREQ(FontOf(dialog.lbProductName2).lfFaceName, "Verdana");
    EXPECT_EQ(FontOf(dialog.lbProductName2).lfHeight, -24);
    EXPECT_EQ(FontOf(dialog.lbProductName2).lfWeight, FW_BOLD);
    EXPECT_TRUE(FontOf(dialog.lbWebLink).lfUnderline);
    EXPECT_EQ(TextColorOf(dialog.lbWebLink), RGB(0, 0, 255));
    EXPECT_EQ(dialog.ToolTips->ToolText(dialog.lbWebLink->Handle()),
              "MailTo:\r\nsupport@kovquillet.example");
    EXPECT_EQ(GetFocus(), dialog.BtnOk->Handle());
    PressKey(VK_ESCAPE);
  });
  ClickAboutButton(form);

  ASSERT_EQ(answers.Answered().size(), 1u);
  EXPECT_FALSE(IsWindow(answers.Answered()[0])) << "destroyed after its showing";
  EXPECT_EQ(frmAboutDlg, nullptr);
  EXPECT_EQ(Application->ComponentCount(), componentsBefore);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
}

// Two machines, one opening each.
const ULONGLONG MemorySizes[] = {64ull << 20, 24ull << 30};
int MemoryCalls = 0;
BOOL WINAPI FakeMemoryStatus(LPMEMORYSTATUSEX status) {
  status->ullTotalPhys = MemorySizes[MemoryCalls++ % 2];
  return TRUE;
}

TEST_F(AboutDialogTest, EnterAndEscCloseItAndEachOpeningTakesTheFigureAnew) {
  const TfrmQuilletMain& form = OpenSession().Form();
  const TImportSwap<decltype(&GlobalMemoryStatusEx)> memory("GlobalMemoryStatusEx",
                                                            &FakeMemoryStatus);
  std::vector<std::string> figures;
  TAboutAnswers answers([&](TfrmAboutDlg& dialog) {
    figures.push_back(WindowText(dialog.lbMemory2->Handle()));
    PressKey(figures.size() == 1 ? VK_RETURN : VK_ESCAPE);
  });
  ClickAboutButton(form);
  ChooseAboutFromMenu(form);

  ASSERT_EQ(answers.Answered().size(), 2u);
  EXPECT_NE(answers.Answered()[0], answers.Answered()[1]);
  EXPECT_EQ(figures, (std::vector<std::string>{"65536 KB", "25165824 KB"}));
  EXPECT_EQ(frmAboutDlg, nullptr);
}

struct TShellCall {
  HWND Owner;
  std::string Operation, File, Parameters, Directory;
  int Show;
};
std::vector<TShellCall> ShellCalls;
std::string TextOrNull(LPCSTR text) {
  return text != nullptr ? text : "<null>";
}
HINSTANCE WINAPI FakeShellExecute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                  LPCSTR directory, INT show) {
  ShellCalls.push_back({owner, TextOrNull(operation), TextOrNull(file), TextOrNull(parameters),
                        TextOrNull(directory), show});
  return reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC); // no mail program
}

TEST_F(AboutDialogTest, TheLinkShowsTheProgramsHandAndMailsThroughTheShell) {
  const TfrmQuilletMain& form = OpenSession().Form();
  const TImportSwap<decltype(&ShellExecuteA)> shell("ShellExecuteA", &FakeShellExecute);
  const HCURSOR ownHand = LoadCursorA(GetModuleHandleA(nullptr), "CURSOR_1");
  ASSERT_NE(ownHand, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(ownHand, &info));
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  EXPECT_EQ(info.xHotspot, 13u);
  EXPECT_EQ(info.yHotspot, 8u);
  EXPECT_EQ(Application->Cursors().Cursor(crHandPoint), LoadCursorA(nullptr, IDC_HAND));

  int openings = 0;
  TAboutAnswers answers([&](TfrmAboutDlg& dialog) {
    EXPECT_EQ(CursorOver(dialog.lbWebLink), ownHand);
    if (++openings == 1) {
      const LPARAM point = MAKELPARAM(5, 5);
      SendMessageA(dialog.lbWebLink->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
      SendMessageA(dialog.lbWebLink->Handle(), WM_LBUTTONUP, 0, point);
      EXPECT_TRUE(dialog.Visible()) << "the dialog stays when there is no mail program";
      EXPECT_EQ(WaitingDialog(), nullptr) << "nothing is shown";
    }
    PressKey(VK_ESCAPE);
  });
  ClickAboutButton(form);
  ClickAboutButton(form);

  ASSERT_EQ(answers.Answered().size(), 2u);
  EXPECT_EQ(Application->Cursors().Cursor(crHandPoint), ownHand);
  ASSERT_EQ(ShellCalls.size(), 1u);
  const TShellCall& call = ShellCalls[0];
  EXPECT_EQ(call.Owner, answers.Answered()[0]);
  EXPECT_EQ(call.Operation, "<null>");
  EXPECT_EQ(call.File, "mailto:support@kovquillet.example?subject=KOVQuillet");
  EXPECT_EQ(call.Parameters, "<null>");
  EXPECT_EQ(call.Directory, "<null>");
  EXPECT_EQ(call.Show, SW_SHOWNORMAL);
}

HCURSOR WINAPI LoadCursorWithoutTheHand(HINSTANCE module, LPCSTR name) {
  if (!IS_INTRESOURCE(name) && lstrcmpA(name, "CURSOR_1") == 0) {
    return nullptr;
  }
  return TImportSwap<decltype(&LoadCursorA)>::Real(module, name);
}

TEST_F(AboutDialogTest, WithoutItsCursorTheHandPointControlsShowTheArrow) {
  const TfrmQuilletMain& form = OpenSession().Form();
  const TImportSwap<decltype(&LoadCursorA)> cursors("LoadCursorA", &LoadCursorWithoutTheHand);
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  TAboutAnswers answers([&](TfrmAboutDlg& dialog) {
    EXPECT_EQ(CursorOver(dialog.lbWebLink), arrow);
    PressKey(VK_ESCAPE);
  });
  ClickAboutButton(form);

  ASSERT_EQ(answers.Answered().size(), 1u);
  EXPECT_EQ(Application->Cursors().Cursor(crHandPoint), arrow);
}

} // namespace
