#include "QuilletMain.h"

#include "Resources.h"
#include "ResultColumns.h"

TfrmQuilletMain* frmQuilletMain = nullptr;

namespace {

const COLORREF ArtTransparent = RGB(255, 0, 255);
const int ToolBarBandHeight = 22;
const int ToolBarBandWidth = 372;
const int PanelHeight = 95;
// The system's common find-file animation in shell32.dll.
const int FindFileAnimation = 151;

// Names components, so that they can be found by name as stored settings refer to them.
template <typename TComponentType>
TComponentType* Named(TComponentType* component, const char* name) {
  component->SetName(name);
  return component;
}

} // namespace

TfrmQuilletMain::TfrmQuilletMain(TComponent* owner)
    : TForm(owner, "TfrmQuilletMain", LoadIconA(GetModuleHandleA(nullptr), "MAINICON")),
      FShell32(LoadLibraryA("shell32.dll")) {
  frmQuilletMain = this;
  SetName("frmQuilletMain");
  SetText("KOVQuillet");
  SetFont("MS Sans Serif", 11);
  SetBounds({0, 0, 384, 379});
  SetPosition(poScreenCenter);

  FileGrep1 = Named(new TFileGrep(this), "FileGrep1");
  FileGrep1->SetFileMasks("*.*");
  FileGrep1->SetThreadPriority(tpHighest);
  FileGrep1->OnFinished = Bind<&TfrmQuilletMain::FileGrep1Finished>(this);
  FileGrep1->OnCancel = Bind<&TfrmQuilletMain::FileGrep1Cancel>(this);
  FileGrep1->OnDirChange = Bind<&TfrmQuilletMain::FileGrep1DirChange>(this);
  FileGrep1->OnFound = Bind<&TfrmQuilletMain::FileGrep1Found>(this);
  VersionInfo1 = Named(new TVersionInfo(this), "VersionInfo1");
  CreateStorage();
  FileCtrl1 = Named(new TFileCtrl(this), "FileCtrl1");
  FRowBuilder.emplace(*VersionInfo1, *FileCtrl1);
  FAssociationWatch = std::make_unique<TAssociationWatch>(*this, *FileCtrl1);
  ShellBrowser = Named(new TShellBrowser(this), "ShellBrowser");
  ShellBrowser->SetFilter("*");
  ShellBrowser->SetFileSystemOnly(true);
  CreateFolderPicker();

  CreateActions();
  BuildMenu();
  CreateToolBar();
  CreateSearchPanel();
  CreateResultList();
  StatusBar1 = Named(new TStatusBar(this, Handle()), "StatusBar1");
  StatusBar1->SetPanels({400, 50});
  Resize();
  OnCreate = Bind<&TfrmQuilletMain::FormCreate>(this);
  OnClose = Bind<&TfrmQuilletMain::FormClose>(this);
  DoCreate();
}

TfrmQuilletMain::~TfrmQuilletMain() {
  DoDestroy();
  if (frmQuilletMain == this) {
    frmQuilletMain = nullptr;
  }
}

void TfrmQuilletMain::CreateStorage() {
  FormStorage1 = Named(new TFormStorage(this), "FormStorage1");
  FormStorage1->SetIniFileName("Software\\KOV\\KOVQuillet");
  FormStorage1->SetIniSection("Main");
  FormStorage1->SetStoredProps({"edFileMasks.Items", "edFileMasks.Text", "edStartDir.Text",
                                "IncludeSubFolders.Checked", "SaveDialog1.InitialDir",
                                "SaveDialog1.FileName"});
  SaveDialog1 = Named(new TSaveDialog(this), "SaveDialog1");
  SaveDialog1->SetDefaultExt("txt");
  SaveDialog1->SetFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
  SaveDialog1->SetOptions(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING);
}

void TfrmQuilletMain::CreateActions() {
  ImageList1 = Named(new TImageList(this), "ImageList1");
  ImageList1->LoadStrip(IDB_ACTIONS, 16, ArtTransparent);
  ActionList1 = Named(new TActionList(this), "ActionList1");
  ActionList1->SetImages(ImageList1);

  struct TActionSetting {
    TAction*& Action;
    const char* Name;
    const char* Category;
    const char* Caption;
    const char* Hint;
    int ImageIndex;
    TShortCut ShortCut;
  };
  const TActionSetting settings[] = {
      {actFileSaveAs, "actFileSaveAs", "File", "Save &As...", "Saves the result as a text file.", 0,
       scAlt | 'S'},
      {actFileExit, "actFileExit", "File", "E&xit", "Quit the application.", 1, scAlt | VK_F4},
      {actHelpAbout, "actHelpAbout", "Help", "&About", "About the application.", 2, 0},
      {actFindFind, "actFindFind", "Find", "&Find", "Begin your search.", 3, 0},
      {actFindStop, "actFindStop", "Find", "&Stop", "End your search.", 4, 0},
  };
  for (const TActionSetting& setting : settings) {
    setting.Action = Named(new TAction(ActionList1), setting.Name);
    setting.Action->SetCategory(setting.Category);
    setting.Action->SetCaption(setting.Caption);
    setting.Action->SetHint(setting.Hint);
    setting.Action->SetImageIndex(setting.ImageIndex);
    setting.Action->SetShortCut(setting.ShortCut);
  }
  actFileSaveAs->OnExecute = Bind<&TfrmQuilletMain::actFileSaveAsExecute>(this);
  actFileExit->OnExecute = Bind<&TfrmQuilletMain::actFileExitExecute>(this);
  actFindFind->OnExecute = Bind<&TfrmQuilletMain::actFindFindExecute>(this);
  actFindStop->OnExecute = Bind<&TfrmQuilletMain::actFindStopExecute>(this);
  actHelpAbout->OnExecute = Bind<&TfrmQuilletMain::actHelpAboutExecute>(this);
  actFindStop->SetEnabled(false);
}

void TfrmQuilletMain::BuildMenu() {
  MainMenu1 = Named(new TMainMenu(this), "MainMenu1");
  MainMenu1->SetImages(ImageList1);
  TMenuItem& menuFile = MainMenu1->AddMenu("menuFile", "&File");
  menuFile.AddItem("SaveAs1", *actFileSaveAs);
  menuFile.AddSeparator("N1");
  menuFile.AddItem("Exit1", *actFileExit);
  TMenuItem& miHelp = MainMenu1->AddMenu("miHelp", "&Help");
  miHelp.AddItem("miAbout", *actHelpAbout);
  SetMenu(MainMenu1);
}

void TfrmQuilletMain::CreateToolBar() {
  CoolBar1 = Named(new TCoolBar(this, Handle()), "CoolBar1");
  ToolBar1 = Named(new TToolBar(this, CoolBar1->Handle()), "ToolBar1");
  ToolBar1->SetImages(*ImageList1);
  ToolBar1->AddButton(*actFileSaveAs); // TBtnSaveAs
  ToolBar1->AddButton(*actHelpAbout);  // TBtnAbout
  ToolBar1->AddButton(*actFileExit);   // TBtnExit
  CoolBar1->AddBand(*ToolBar1, ToolBarBandHeight, ToolBarBandWidth);
}

void TfrmQuilletMain::CreateSearchPanel() {
  Panel1 = Named(new TPanel(this, Handle()), "Panel1");
  const HWND panel = Panel1->Handle();
  ToolTips = Named(new TToolTips(this, Handle()), "ToolTips");

  // Created in tab order: the order of creation is the order Tab moves in.
  lbFileMasks = Named(new TLabel(this, panel), "lbFileMasks");
  lbFileMasks->SetBounds({16, 12, 53, 13});
  lbFileMasks->SetText("File Masks:");

  edFileMasks = Named(new TComboBox(this, panel), "edFileMasks");
  edFileMasks->SetBounds({72, 8, 209, 21});
  edFileMasks->SetDropDownCount(8);
  for (const char* preset : {"*.dll", "*.exe", "*.ocx", "*.bpl", "*.cpl", "*.vxd", "*.drv",
                             "*.dll;*.exe;*.ocx;*.bpl;*.cpl;*.vxd;*.drv", "*.*"}) {
    edFileMasks->Items().Add(preset);
  }
  edFileMasks->OnKeyDown = Bind<&TfrmQuilletMain::edFileMasksKeyDown>(this);
  ToolTips->AddTool(*edFileMasks, "Select File Masks");

  lbStartDir = Named(new TLabel(this, panel), "lbStartDir");
  lbStartDir->SetBounds({16, 36, 39, 13});
  lbStartDir->SetText("Look In:");

  edStartDir = Named(new TEdit(this, panel), "edStartDir");
  edStartDir->SetBounds({72, 32, 185, 21});
  edStartDir->OnKeyDown = Bind<&TfrmQuilletMain::edStartDirKeyDown>(this);
  ToolTips->AddTool(*edStartDir, "Specify a Location ");

  BtnBrowse = Named(new TButton(this, panel), "BtnBrowse");
  BtnBrowse->SetBounds({258, 32, 23, 21});
  BtnBrowse->SetText("...");
  BtnBrowse->OnClick = Bind<&TfrmQuilletMain::BtnBrowseClick>(this);
  ToolTips->AddTool(*BtnBrowse, "Browse");

  IncludeSubFolders = Named(new TCheckBox(this, panel), "IncludeSubFolders");
  IncludeSubFolders->SetBounds({80, 56, 113, 17});
  IncludeSubFolders->SetText("Include subfolders");
  IncludeSubFolders->SetChecked(true);
  ToolTips->AddTool(*IncludeSubFolders, "Recurse Subdirectories");

  FFindGlyph = Named(new TImageList(this), "FindGlyph");
  FFindGlyph->LoadStrip(IDB_FIND_GLYPH, 16, ArtTransparent);
  BtnFind = Named(new TButton(this, panel), "BtnFind");
  BtnFind->SetBounds({288, 6, 75, 25});
  BtnFind->SetGlyph(*FFindGlyph);
  BtnFind->SetAction(actFindFind);

  FStopGlyph = Named(new TImageList(this), "StopGlyph");
  FStopGlyph->LoadStrip(IDB_STOP_GLYPH, 16, ArtTransparent);
  BtnStop = Named(new TButton(this, panel), "BtnStop");
  BtnStop->SetBounds({288, 32, 75, 25});
  BtnStop->SetGlyph(*FStopGlyph);
  BtnStop->SetAction(actFindStop);

  Animate1 = Named(new TAnimate(this, panel), "Animate1");
  Animate1->SetBounds({317, 65, 16, 16});
  Animate1->OpenClip(FShell32.get(), FindFileAnimation);

  Label1 = Named(new TLabel(this, panel), "Label1");
  Label1->SetText("You can sort the list by clicking on the columns");
  ToolTips->AddTool(*Label1, "You can sort the list by clicking on the columns\r\n");
}

void TfrmQuilletMain::CreateResultList() {
  ListView = Named(new TListView(this, Handle()), "ListView");
  for (int index = 0; index < ResultColumnCount; ++index) {
    const std::string caption(ResultColumnCaptions[static_cast<std::size_t>(index)]);
    // The attribute column stays wide enough for its letters whatever the user drags.
    ListView->AddColumn(caption, 100, index == AttributesColumn ? 60 : 0);
  }
  // The rows of a folder show one folder, and a few types serve a whole disk.
  ListView->ShareColumnTexts(DirectoryColumn);
  ListView->ShareColumnTexts(TypeColumn);
  ListView->OnGetSubItemImage = Bind<&TfrmQuilletMain::ListViewGetSubItemImage>(this);
  ListView->OnColumnClick = Bind<&TfrmQuilletMain::ListViewColumnClick>(this);
  ListView->OnContextPopup = Bind<&TfrmQuilletMain::ListViewContextPopup>(this);
  ListView->OnDblClick = Bind<&TfrmQuilletMain::ListViewDblClick>(this);
  ListView->OnKeyDown = Bind<&TfrmQuilletMain::ListViewKeyDown>(this);
  ListView->OnEdited = Bind<&TfrmQuilletMain::ListViewEdited>(this);
}

void TfrmQuilletMain::Resize() {
  if (StatusBar1 == nullptr) {
    return; // still being built
  }
  RECT client;
  GetClientRect(Handle(), &client);
  // The rebar and the status bar fit themselves to the window when told of its new size.
  SendMessageA(CoolBar1->Handle(), WM_SIZE, 0, 0);
  const int top = CoolBar1->Bounds().Height;
  Panel1->SetBounds({0, top, client.right, PanelHeight});
  Label1->SetBounds({2, PanelHeight - 2 - 13, client.right - 4, 13});
  StatusBar1->Realign();
  const int listTop = top + PanelHeight;
  ListView->SetBounds(
      {0, listTop, client.right, client.bottom - StatusBar1->Bounds().Height - listTop});
}

void TfrmQuilletMain::actFileExitExecute(TObject*) {
  Close();
}
