#pragma once

#include "Bevel.h"
#include "Button.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "Panel.h"
#include "ToolTips.h"

// The About dialog: the product's name and version, the machine's memory, a contact link
// that opens the user's mail program, and OK. It is made for each showing.
class TfrmAboutDlg : public TForm {
public:
  explicit TfrmAboutDlg(TComponent* owner);
  ~TfrmAboutDlg() override;

  // Controls.
  TImage* imgProductIcon = nullptr;
  TLabel* lbProductName1 = nullptr;
  TLabel* lbProductName2 = nullptr;
  TLabel* lbVersion = nullptr;
  TLabel* lbCopyright = nullptr;
  TLabel* lbWebLink = nullptr;
  TBevel* BevelMidt = nullptr;
  TLabel* lbMemory1 = nullptr;
  TLabel* lbMemory2 = nullptr;
  TButton* BtnOk = nullptr;
  TPanel* pnlComments = nullptr;
  TLabel* lbComments = nullptr;
  TToolTips* ToolTips = nullptr;

  // Handlers.
  void FormCreate(TObject* Sender);
  void lbWebLinkClick(TObject* Sender);
  void BtnOkClick(TObject* Sender);

private:
  void CreateHeading();
  void CreateLink();
  void ShowMemoryStatus();
};

// The dialog while it is shown; null otherwise.
extern TfrmAboutDlg* frmAboutDlg;
