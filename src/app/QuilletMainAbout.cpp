#include "QuilletMain.h"

#include "QuilletAbout.h"

#include "Application.h"

#include <memory>

void TfrmQuilletMain::actHelpAboutExecute(TObject*) {
  // Made for this showing and gone after it, also when showing it fails.
  const std::unique_ptr<TfrmAboutDlg> dialog(new TfrmAboutDlg(Application));
  frmAboutDlg = dialog.get();
  dialog->ShowModal();
}
