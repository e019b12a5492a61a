#include "QuilletMain.h"

#include "Application.h"
#include "FoundRecord.h"

// The result rows: every file found becomes a row of eighteen cells with its system icon.

void TfrmQuilletMain::FormCreate(TObject*) {
  FSmallImages = new TImageList(this);
  // The shell's own list, shared: freeing the wrapper never destroys it.
  FSmallImages->ShareHandle(FileCtrl1->GetSystemImageList());
  ListView->SetSmallImages(FSmallImages->Handle());
}

void TfrmQuilletMain::FormClose(TObject*, TCloseAction&) {
  ListView->SetSmallImages(nullptr);
  delete FSmallImages;
  FSmallImages = nullptr;
}

void TfrmQuilletMain::ListViewGetSubItemImage(TObject*, int, int, int& ImageIndex) {
  ImageIndex = -1;
}

void TfrmQuilletMain::FileGrep1Found(TObject*, const std::string& found) {
  ++FFoundCount;
  SplitFoundRecord(found, FFoundDir, FFoundName);
  // The walk's entry already holds the file's attributes, times and size; it is copied
  // before the window handles messages, in which the walk may end.
  const WIN32_FIND_DATAA* walked = FileGrep1->FoundEntry();
  const std::optional<WIN32_FIND_DATAA> entry =
      walked != nullptr && FFoundName == walked->cFileName ? std::optional(*walked) : std::nullopt;
  // Where Stop, a sort or a row action can run during a search; the count shows when the
  // window handles messages, so that it never lags by more than the interval.
  if (Application->MessagesDue()) {
    ShowFoundCount();
    Application->ProcessMessages();
  }
  // The cells point the file components at the file, so they come before its icon.
  std::vector<std::string> cells = entry ? FRowBuilder->FoundCells(FFoundDir, *entry)
                                         : FRowBuilder->Cells(FFoundDir, FFoundName);
  FFoundItem = ListView->AddRow(cells, FileCtrl1->GetSystemIconIndex());
}

void TfrmQuilletMain::ShowFoundCount() {
  // The status bar repaints at once, so an unchanged count is not written again.
  if (FShownCount != FFoundCount) {
    FShownCount = FFoundCount;
    StatusBar1->SetPanelText(1, "Found: " + std::to_string(FFoundCount));
  }
}
