#include "ListViewDriver.h"
#include "MainWindowSession.h"
#include "MainWindowTest.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>

namespace {

class MainWindowLayoutTest : public TMainWindowTest {};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string NameOf(HWND window) {
  const TWinControl* control = TWinControl::FromHandle(window);
  return control != nullptr ? control->Name() : ClassOf(window);
}

RECT Client(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  return rect;
}

// Every tool of the tooltip control, by the window it belongs to.
std::map<HWND, std::string> ToolTexts(HWND tips) {
  std::map<HWND, std::string> texts;
  const auto count = static_cast<int>(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    char text[512] = {};
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    SendMessageA(tips, TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(&tool));
    const HWND window =
        (tool.uFlags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(tool.uId) : tool.hwnd;
    texts[window] = text;
  }
  return texts;
}

std::vector<std::string> TabOrder(HWND form) {
  std::vector<std::string> names;
  const HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
  HWND item = first;
  do {
    names.push_back(NameOf(item));
    item = GetNextDlgTabItem(form, item, FALSE);
  } while (item != nullptr && item != first && names.size() < 20);
  return names;
}

TEST_F(MainWindowLayoutTest, WindowCaptionSizePlaceAndFont) {
  TMainWindowSession session(Log());
  const HWND form = session.Form().Handle();

  EXPECT_EQ(WindowText(form), "KOVQuillet");
  RECT outer;
  GetWindowRect(form, &outer);
  EXPECT_EQ(outer.right - outer.left, 384);
  EXPECT_EQ(outer.bottom - outer.top, 379);
  EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 384) / 2, 1);
  EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 379) / 2, 1);
  EXPECT_NE(GetWindowLongPtrA(form, GWL_STYLE) & WS_THICKFRAME, 0) << "sizeable border";
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(form, GCLP_HBRBACKGROUND)),
            GetSysColorBrush(COLOR_BTNFACE));

  const auto font = reinterpret_cast<HFONT>(SendMessageA(form, WM_GETFONT, 0, 0));
  LOGFONTA logFont = {};
  ASSERT_EQ(GetObjectA(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
  EXPECT_STREQ(logFont.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(logFont.lfHeight, -11) << "a character height of 11 pixels, 8 points at 96 dpi";
  // The system has the face itself rather than a substitute.
  const HDC dc = GetDC(form);
  const HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof face, face);
  SelectObject(dc, old);
  ReleaseDC(form, dc);
  EXPECT_STREQ(face, "MS Sans Serif");

  const TfrmQuilletMain& main = session.Form();
  const TWinControl* const controls[] = {
      main.lbFileMasks,       main.edFileMasks, main.lbStartDir, main.edStartDir, main.BtnBrowse,
      main.IncludeSubFolders, main.BtnFind,     main.BtnStop,    main.Label1,     main.ListView};
  for (const TWinControl* control : controls) {
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control->Handle(), WM_GETFONT, 0, 0)), font)
        << control->Name();
  }
}

TEST_F(MainWindowLayoutTest, SearchPanelControls) {
  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  const HWND panel = form.Panel1->Handle();
  const RECT client = Client(form.Handle());

  EXPECT_EQ(PlaceIn(panel, form.Handle()), (TPlace{0, 26, client.right, 95}));

  struct TExpected {
    const TWinControl* Control;
    const char* ClassName;
    TPlace Place;
    const char* Text;
    const char* Tip; // null: none
  };
  const TExpected expected[] = {
      {form.lbFileMasks, "Static", {16, 12, 53, 13}, "File Masks:", nullptr},
      {form.edFileMasks, "ComboBox", {72, 8, 209, 21}, "", "Select File Masks"},
      {form.lbStartDir, "Static", {16, 36, 39, 13}, "Look In:", nullptr},
      {form.edStartDir, "Edit", {72, 32, 185, 21}, "", "Specify a Location "},
      {form.BtnBrowse, "Button", {258, 32, 23, 21}, "...", "Browse"},
      {form.IncludeSubFolders,
       "Button",
       {80, 56, 113, 17},
       "Include subfolders",
       "Recurse Subdirectories"},
      {form.BtnFind, "Button", {288, 6, 75, 25}, "&Find", nullptr},
      {form.BtnStop, "Button", {288, 32, 75, 25}, "&Stop", nullptr},
      {form.Animate1, ANIMATE_CLASSA, {317, 65, 16, 16}, "", nullptr},
      {form.Label1,
       "Static",
       {2, 80, 372, 13},
       "You can sort the list by clicking on the columns",
       "You can sort the list by clicking on the columns\r\n"},
  };
  std::map<HWND, std::string> tips = ToolTexts(form.ToolTips->Handle());
  // The mouse over the combo box is over the edit box inside it, which carries the same tip.
  const HWND comboEdit = form.edFileMasks->EditHandle();
  ASSERT_EQ(tips.count(comboEdit), 1u);
  EXPECT_EQ(tips[comboEdit], "Select File Masks");
  tips.erase(comboEdit);

  for (const TExpected& control : expected) {
    const HWND window = control.Control->Handle();
    SCOPED_TRACE(control.Control->Name());
    EXPECT_EQ(GetParent(window), panel);
    EXPECT_EQ(ClassOf(window), control.ClassName);
    EXPECT_EQ(PlaceIn(window, panel), control.Place);
    EXPECT_EQ(WindowText(window), control.Text);
    if (control.Tip != nullptr) {
      EXPECT_EQ(tips[window], control.Tip);
    } else {
      EXPECT_EQ(tips.count(window), 0u);
    }
    tips.erase(window);
  }
  EXPECT_TRUE(tips.empty()) << "a tooltip on " << NameOf(tips.begin()->first);

  const auto style = [](const TWinControl* control) {
    return static_cast<DWORD>(GetWindowLongPtrA(control->Handle(), GWL_STYLE));
  };
  EXPECT_EQ(style(form.edFileMasks) & 3, static_cast<DWORD>(CBS_DROPDOWN)) << "editable";
  EXPECT_EQ(style(form.edStartDir) & ES_MULTILINE, 0u);
  EXPECT_EQ(style(form.IncludeSubFolders) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
  EXPECT_EQ(SendMessageA(form.IncludeSubFolders->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  for (const TWinControl* button : {form.BtnFind, form.BtnStop}) {
    EXPECT_EQ(style(button) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
    BUTTON_IMAGELIST glyph = {};
    SendMessageA(button->Handle(), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&glyph));
    int width = 0;
    int height = 0;
    EXPECT_TRUE(ImageList_GetIconSize(glyph.himl, &width, &height)) << button->Name();
    EXPECT_EQ(width, 16) << button->Name();
    EXPECT_EQ(height, 16) << button->Name();
  }
  EXPECT_FALSE(form.Animate1->Active());
  EXPECT_FALSE(Playing(form));

  const HWND combo = form.edFileMasks->Handle();
  const char* const presets[] = {
      "*.dll", "*.exe", "*.ocx", "*.bpl",
      "*.cpl", "*.vxd", "*.drv", "*.dll;*.exe;*.ocx;*.bpl;*.cpl;*.vxd;*.drv",
      "*.*"};
  ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 9);
  for (int index = 0; index < 9; ++index) {
    char text[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, presets[index]) << "preset " << index;
  }

  // Actions: Find is ready, Stop waits for a search; the buttons show it.
  EXPECT_TRUE(form.actFindFind->Enabled());
  EXPECT_FALSE(form.actFindStop->Enabled());
  EXPECT_TRUE(IsWindowEnabled(form.BtnFind->Handle()));
  EXPECT_FALSE(IsWindowEnabled(form.BtnStop->Handle()));
}

TEST_F(MainWindowLayoutTest, TabOrderRunsThroughThePanelThenTheList) {
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  // Tab passes over a disabled control, so at start it skips Stop.
  EXPECT_EQ(TabOrder(form.Handle()),
            (std::vector<std::string>{"edFileMasks", "edStartDir", "BtnBrowse", "IncludeSubFolders",
                                      "BtnFind", "ListView"}));
  form.actFindStop->SetEnabled(true);
  EXPECT_EQ(TabOrder(form.Handle()),
            (std::vector<std::string>{"edFileMasks", "edStartDir", "BtnBrowse", "IncludeSubFolders",
                                      "BtnFind", "BtnStop", "ListView"}));
}

TEST_F(MainWindowLayoutTest, ResultListColumnsAndOptions) {
  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  const HWND list = form.ListView->Handle();
  const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));

  ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 18);
  for (int index = 0; index < 18; ++index) {
    char text[64] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(text, ResultCaptions[static_cast<std::size_t>(index)]) << "column " << index;
    EXPECT_EQ(column.cx, 100) << "column " << index;
  }

  const auto style = static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE));
  EXPECT_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
  EXPECT_NE(style & LVS_SHOWSELALWAYS, 0u);
  EXPECT_NE(style & LVS_EDITLABELS, 0u);
  EXPECT_EQ(style & LVS_SINGLESEL, 0u) << "several rows may be selected";
  EXPECT_EQ(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING), 0u) << "never sorts by itself";
  EXPECT_EQ(style & (LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER), 0u) << "header clicks are reported";
  const auto extended = static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_NE(extended & LVS_EX_FULLROWSELECT, 0u);
  EXPECT_NE(extended & LVS_EX_HEADERDRAGDROP, 0u);

  // The list fills the room between the panel and the status bar.
  const RECT client = Client(form.Handle());
  const TPlace status = PlaceIn(form.StatusBar1->Handle(), form.Handle());
  EXPECT_EQ(PlaceIn(list, form.Handle()), (TPlace{0, 26 + 95, client.right, status.Top - 121}));

  // Attributes (column 14) keeps at least 60 pixels when set narrower by a message.
  const int attributes = 14;
  SendMessageA(list, LVM_SETCOLUMNWIDTH, attributes, 20);
  EXPECT_EQ(form.ListView->ColumnWidth(attributes), 60);

  // And when the user drags its divider to 30 pixels: scrolled into view first, since the
  // header only takes the mouse where it is shown.
  SendMessageA(list, LVM_SETCOLUMNWIDTH, attributes, 100);
  SendMessageA(list, LVM_SCROLL, 13 * 100, 0);
  RECT item;
  SendMessageA(header, HDM_GETITEMRECT, attributes, reinterpret_cast<LPARAM>(&item));
  HDHITTESTINFO hit = {};
  hit.pt = {item.right - 1, (item.bottom - item.top) / 2};
  SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  ASSERT_EQ(hit.iItem, attributes);
  ASSERT_NE(hit.flags & HHT_ONDIVIDER, 0u);
  const LPARAM from = MAKELPARAM(hit.pt.x, hit.pt.y);
  const LPARAM to = MAKELPARAM(hit.pt.x - 70, hit.pt.y);
  SendMessageA(header, WM_MOUSEMOVE, 0, from);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, from);
  SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, to);
  SendMessageA(header, WM_LBUTTONUP, 0, to);
  EXPECT_GE(form.ListView->ColumnWidth(attributes), 60);
}

TEST_F(MainWindowLayoutTest, ToolBarAndMenu) {
  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  const HWND rebar = form.CoolBar1->Handle();
  const HWND toolBar = form.ToolBar1->Handle();

  EXPECT_EQ(PlaceIn(rebar, form.Handle()), (TPlace{0, 0, Client(form.Handle()).right, 26}));
  ASSERT_EQ(SendMessageA(rebar, RB_GETBANDCOUNT, 0, 0), 1);
  REBARBANDINFOA band = {};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
  SendMessageA(rebar, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band));
  EXPECT_EQ(band.hwndChild, toolBar);
  EXPECT_EQ(band.cyMinChild, 22u);
  EXPECT_NE(GetWindowLongPtrA(toolBar, GWL_STYLE) & TBSTYLE_FLAT, 0);

  // Save As, About, Exit, showing images 0, 2 and 1 of the action images, without text.
  const TAction* const actions[] = {form.actFileSaveAs, form.actHelpAbout, form.actFileExit};
  const int images[] = {0, 2, 1};
  ASSERT_EQ(SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0), 3);
  ASSERT_EQ(form.ToolBar1->ButtonCount(), 3);
  for (int index = 0; index < 3; ++index) {
    TBBUTTON button = {};
    SendMessageA(toolBar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.iBitmap, images[index]) << "button " << index;
    EXPECT_NE(button.fsState & TBSTATE_ENABLED, 0) << "button " << index;
    EXPECT_LE(SendMessageA(toolBar, TB_GETBUTTONTEXTA, button.idCommand, 0), 0)
        << "button " << index;
    EXPECT_EQ(form.ToolBar1->Button(index).Action(), actions[index]) << "button " << index;
  }
  EXPECT_EQ(SendMessageA(toolBar, TB_GETIMAGELIST, 0, 0),
            reinterpret_cast<LRESULT>(form.ImageList1->Handle()));

  const HMENU bar = GetMenu(form.Handle());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  struct TExpectedItem {
    int Menu;
    const char* Text; // null: a separator
  };
  const TExpectedItem items[] = {
      {0, "Save &As...\tAlt+S"}, {0, nullptr}, {0, "E&xit\tAlt+F4"}, {1, "&About"}};
  char title[32] = {};
  GetMenuStringA(bar, 0, title, sizeof title, MF_BYPOSITION);
  EXPECT_STREQ(title, "&File");
  GetMenuStringA(bar, 1, title, sizeof title, MF_BYPOSITION);
  EXPECT_STREQ(title, "&Help");
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 3);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);
  int position[2] = {0, 0};
  for (const TExpectedItem& expected : items) {
    char text[64] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP | MIIM_STATE | MIIM_ID | MIIM_DATA;
    info.dwTypeData = text;
    info.cch = sizeof text;
    const HMENU menu = GetSubMenu(bar, expected.Menu);
    ASSERT_TRUE(GetMenuItemInfoA(menu, position[expected.Menu]++, TRUE, &info));
    if (expected.Text == nullptr) {
      EXPECT_NE(info.fType & MFT_SEPARATOR, 0u);
      continue;
    }
    SCOPED_TRACE(expected.Text);
    EXPECT_STREQ(text, expected.Text);
    EXPECT_EQ(info.fState & MFS_DISABLED, 0u);
    // The action's image is drawn by the window, which sizes it on request.
    EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = info.wID;
    measure.itemData = info.dwItemData;
    EXPECT_TRUE(SendMessageA(form.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(measure.itemWidth, 16u);
    EXPECT_EQ(measure.itemHeight, 16u);
  }
}

TEST_F(MainWindowLayoutTest, ResizingMovesOnlyTheListAndTheBars) {
  TMainWindowSession session(Log());
  const TfrmQuilletMain& form = session.Form();
  const HWND panel = form.Panel1->Handle();
  const HWND status = form.StatusBar1->Handle();

  int edges[3] = {};
  ASSERT_EQ(SendMessageA(status, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 400);
  EXPECT_EQ(edges[1], 450);
  EXPECT_FALSE(SendMessageA(status, SB_ISSIMPLE, 0, 0));
  const auto secondPanelShown = [status] {
    RECT part;
    SendMessageA(status, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    return part.right <= Client(status).right;
  };
  EXPECT_FALSE(secondPanelShown()) << "beyond the right edge at the initial width";

  std::vector<std::pair<HWND, TPlace>> before;
  for (HWND child = GetWindow(panel, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (child != form.Label1->Handle()) {
      before.emplace_back(child, PlaceIn(child, panel));
    }
  }
  ASSERT_EQ(before.size(), 9u);

  for (const SIZE size : {SIZE{640, 480}, SIZE{300, 260}, SIZE{384, 379}}) {
    SetWindowPos(form.Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    session.App().ProcessMessages();
    SCOPED_TRACE(std::to_string(size.cx) + "x" + std::to_string(size.cy));
    const RECT client = Client(form.Handle());
    for (const auto& [child, place] : before) {
      EXPECT_EQ(PlaceIn(child, panel), place) << NameOf(child);
    }
    EXPECT_EQ(PlaceIn(form.CoolBar1->Handle(), form.Handle()), (TPlace{0, 0, client.right, 26}));
    EXPECT_EQ(PlaceIn(panel, form.Handle()), (TPlace{0, 26, client.right, 95}));
    EXPECT_EQ(PlaceIn(form.Label1->Handle(), panel), (TPlace{2, 80, client.right - 4, 13}));
    const TPlace bar = PlaceIn(status, form.Handle());
    EXPECT_EQ(bar.Top + bar.Height, client.bottom);
    EXPECT_EQ(bar.Width, client.right);
    EXPECT_EQ(PlaceIn(form.ListView->Handle(), form.Handle()),
              (TPlace{0, 121, client.right, bar.Top - 121}));
    EXPECT_EQ(secondPanelShown(), client.right >= 450);
  }
}

} // namespace
