#include "QuilletMain.h"

// The search run: Find checks the input, resets the window and starts the engine; the
// engine's events move the status bar, the animation and the two actions through it.

namespace {
// The first to the eighth frame; the control counts frames from 0.
const int FirstAnimationFrame = 0;
const int LastAnimationFrame = 7;
} // namespace

void TfrmQuilletMain::actFindFindExecute(TObject*) {
  const std::string folder = edStartDir->Text();
  if (folder.empty()) {
    return;
  }
  const std::string masks = edFileMasks->Text();
  if (masks.empty()) {
    return;
  }
  Animate1->Play(FirstAnimationFrame, LastAnimationFrame);
  StatusBar1->SetPanelText(0, "");
  StatusBar1->SetPanelText(1, "");
  actFindFind->SetEnabled(false);
  actFindStop->SetEnabled(true);
  ListView->Clear();
  FFoundCount = 0;
  FShownCount = 0;
  FileGrep1->SetFileMasks(masks);
  FileGrep1->SetRecurseSubDirs(IncludeSubFolders->Checked());
  FileGrep1->SetDirs(folder);
  FileGrep1->SetThreadPriority(tpHighest);
  FileGrep1->Start();
}

void TfrmQuilletMain::actFindStopExecute(TObject*) {
  FileGrep1->Cancel();
}

void TfrmQuilletMain::edFileMasksKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key != VK_RETURN) {
    return;
  }
  // Every Enter adds the text, even when empty or already listed.
  edFileMasks->Items().Add(edFileMasks->Text());
  actFindFindExecute(this);
  Key = 0;
}

void TfrmQuilletMain::edStartDirKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key != VK_RETURN) {
    return;
  }
  actFindFindExecute(this);
  Key = 0;
}

void TfrmQuilletMain::FileGrep1DirChange(TObject*, const std::string& name) {
  ShowFoundCount();
  StatusBar1->SetPanelText(0, "Searching " + name);
}

void TfrmQuilletMain::FileGrep1Finished(TObject*) {
  SearchEnded("Finished.");
}

void TfrmQuilletMain::FileGrep1Cancel(TObject*) {
  SearchEnded("Cancelled.");
}

void TfrmQuilletMain::SearchEnded(const char* status) {
  ShowFoundCount();
  Animate1->Stop();
  StatusBar1->SetPanelText(0, status);
  actFindFind->SetEnabled(true);
  actFindStop->SetEnabled(false);
}
