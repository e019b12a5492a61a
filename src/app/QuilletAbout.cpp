#include "QuilletAbout.h"

#include "Application.h"
#include "ProductVersion.h"

#include <shellapi.h>

#include <string>

TfrmAboutDlg* frmAboutDlg = nullptr;

namespace {

// The link's text is the address it writes to.
const char ContactAddress[] = "support@kovquillet.example";
const COLORREF LinkBlue = RGB(0, 0, 255);

// Names components, so that they can be found by name.
template <typename TComponentType>
TComponentType* Named(TComponentType* component, const char* name) {
  component->SetName(name);
  return component;
}

// A label at its place that fits itself to its text.
TLabel* PlacedLabel(TLabel* label, int left, int top, const char* text) {
  label->SetBounds({left, top, 0, 0});
  label->SetText(text);
  label->SetAutoSize(true);
  return label;
}

} // namespace

TfrmAboutDlg::TfrmAboutDlg(TComponent* owner) : TForm(owner, "TfrmAboutDlg", nullptr, bsDialog) {
  SetName("frmAboutDlg");
  SetText("About");
  SetFont("MS Sans Serif", 11);
  SetClientSize(321, 265);
  SetPosition(poScreenCenter);

  CreateHeading();
  CreateLink();

  BevelMidt = Named(new TBevel(this, Handle()), "BevelMidt");
  BevelMidt->SetBounds({48, 120, 261, 2});
  lbMemory1 = PlacedLabel(Named(new TLabel(this, Handle()), "lbMemory1"), 48, 128,
                          "Memory available to Windows:");
  lbMemory2 = Named(new TLabel(this, Handle(), taRightJustify), "lbMemory2");
  lbMemory2->SetBounds({286, 128, 23, 13});
  lbMemory2->SetText("0 KB");
  lbMemory2->SetAutoSize(true);

  BtnOk = Named(new TButton(this, Handle()), "BtnOk");
  BtnOk->SetBounds({234, 152, 75, 25});
  BtnOk->SetText("OK");
  BtnOk->SetDefault(true);
  BtnOk->SetCancel(true);
  BtnOk->SetModalResult(mrOk);
  BtnOk->OnClick = Bind<&TfrmAboutDlg::BtnOkClick>(this);

  pnlComments = Named(new TPanel(this, Handle()), "pnlComments");
  pnlComments->SetBounds({48, 192, 261, 62});
  pnlComments->SetBevels(bvLowered, bvLowered);
  lbComments = Named(new TLabel(this, pnlComments->Handle()), "lbComments");
  lbComments->SetBounds({8, 8, 245, 46});
  lbComments->SetText("Finds files by their masks and lists the version information, times, "
                      "attributes, type and size of each.");

  OnCreate = Bind<&TfrmAboutDlg::FormCreate>(this);
  DoCreate();
}

TfrmAboutDlg::~TfrmAboutDlg() {
  DoDestroy();
  if (frmAboutDlg == this) {
    frmAboutDlg = nullptr;
  }
}

void TfrmAboutDlg::CreateHeading() {
  imgProductIcon = Named(new TImage(this, Handle()), "imgProductIcon");
  imgProductIcon->SetBounds({8, 8, 32, 32});
  imgProductIcon->SetIcon(LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));

  // The two halves of the name overlap a little, so each shows what lies beneath it.
  lbProductName1 = Named(new TLabel(this, Handle()), "lbProductName1");
  lbProductName1->SetFont("Times New Roman", 21, {fsBold});
  lbProductName1->SetTransparent(true);
  PlacedLabel(lbProductName1, 48, 8, "KOV");
  lbProductName2 = Named(new TLabel(this, Handle()), "lbProductName2");
  lbProductName2->SetFont("Verdana", 24, {fsBold});
  lbProductName2->SetTransparent(true);
  PlacedLabel(lbProductName2, 48, 24, "Quillet");

  lbVersion = PlacedLabel(Named(new TLabel(this, Handle()), "lbVersion"), 48, 56,
                          "Version " PRODUCT_VERSION_TEXT);
  lbCopyright = PlacedLabel(Named(new TLabel(this, Handle()), "lbCopyright"), 48, 72,
                            "Copyright (c) 2026 KOV Software");
}

void TfrmAboutDlg::CreateLink() {
  lbWebLink = Named(new TLabel(this, Handle()), "lbWebLink");
  lbWebLink->SetBounds({48, 88, 222, 13});
  lbWebLink->SetText(ContactAddress);
  lbWebLink->SetFont("MS Sans Serif", 11, {fsUnderline});
  lbWebLink->SetFontColor(LinkBlue);
  lbWebLink->SetCursor(crHandPoint);
  lbWebLink->OnClick = Bind<&TfrmAboutDlg::lbWebLinkClick>(this);
  ToolTips = Named(new TToolTips(this, Handle()), "ToolTips");
  ToolTips->AddTool(*lbWebLink, std::string("MailTo:\r\n") + ContactAddress);
}

void TfrmAboutDlg::FormCreate(TObject*) {
  // The program's own hand, for the rest of the run. Without it the entry goes, and the link
  // and every other hand-point control show the arrow.
  Application->Cursors().SetCursor(crHandPoint, LoadCursorA(GetModuleHandleA(nullptr), "CURSOR_1"));
  ShowMemoryStatus();
}

void TfrmAboutDlg::ShowMemoryStatus() {
  // GlobalMemoryStatus cannot tell more than 4 GiB, and in a 64-bit program it writes a
  // record longer than the one its length field names.
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  lbMemory2->SetText(std::to_string(status.ullTotalPhys >> 10) + " KB");
}

void TfrmAboutDlg::lbWebLinkClick(TObject*) {
  // Without a mail program the shell fails quietly, and the dialog stays as it is.
  const std::string link = std::string("mailto:") + ContactAddress + "?subject=KOVQuillet";
  ShellExecuteA(Handle(), nullptr, link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TfrmAboutDlg::BtnOkClick(TObject*) {
  Close();
}
