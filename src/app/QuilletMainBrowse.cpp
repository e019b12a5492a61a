#include "QuilletMain.h"

void TfrmQuilletMain::CreateFolderPicker() {
  BrowseFolderDlg = new TBrowseDirectoryDlg(this);
  BrowseFolderDlg->SetName("BrowseFolderDlg");
  BrowseFolderDlg->SetTitle("Choose a Folder:");
  BrowseFolderDlg->SetCaption("Browse For Folder");
  BrowseFolderDlg->SetOptions({bfDirectoriesOnly, bfEditBox, bfNewDialogStyle, bfUseNewUI});
  BrowseFolderDlg->SetEnableOKButton(false);
  BrowseFolderDlg->SetShowSelectionInStatus(true);
}

// Also pressed in the middle of a search: the walk waits below the modal dialog until it
// closes.
void TfrmQuilletMain::BtnBrowseClick(TObject*) {
  const std::string folder = edStartDir->Text();
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    BrowseFolderDlg->SetSelection(folder);
  }
  // An accepted item without a file-system path gives no folder to look in.
  if (BrowseFolderDlg->Execute() && !BrowseFolderDlg->Selection().empty()) {
    edStartDir->SetText(BrowseFolderDlg->Selection());
  }
}
