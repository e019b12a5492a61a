#include "QuilletMain.h"

#include "Application.h"
#include "Paths.h"

// The result rows: every file found becomes a row of eighteen cells with its system icon.

namespace {

// The attribute letters of a row, in this fixed order.
std::string AttributeLetters(const TVersionInfo& info) {
  std::string letters;
  if (info.ReadOnly()) {
    letters += 'R';
  }
  if (info.Hidden()) {
    letters += 'H';
  }
  if (info.System()) {
    letters += 'S';
  }
  if (info.Archive()) {
    letters += 'A';
  }
  return letters;
}

} // namespace

void SplitFoundRecord(const std::string& found, std::string& directory, std::string& name) {
  // A name cannot hold a backslash, so the folder ends at the record's last one, whatever
  // ";" the folder or the name may hold; the name runs from there to the closing ";".
  // In a double-byte code page the second byte of a character may be that of "\\".
  const std::size_t lastBackslash = LastDelimiter(found, "\\");
  const std::size_t nameStart = lastBackslash == std::string::npos ? 0 : lastBackslash + 1;
  directory = found.substr(0, nameStart);
  std::string rest = found.substr(nameStart);
  if (!rest.empty() && rest.front() == ';') {
    rest.erase(0, 1);
  }
  if (!rest.empty() && rest.back() == ';') {
    rest.pop_back();
  }
  name = rest;
}

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
  StatusBar1->SetPanelText(1, "Found: " + std::to_string(FFoundCount));
  SplitFoundRecord(found, FFoundDir, FFoundName);
  // Where Stop, a sort or a row action can run during a search.
  Application->ProcessMessages();
  const std::string path = FFoundDir + FFoundName;
  // The same name again reads nothing by itself, yet the file may have changed since.
  if (VersionInfo1->RetrieveFilename() == path) {
    VersionInfo1->Retrieve();
  } else {
    VersionInfo1->SetRetrieveFilename(path);
  }
  // Both components rest on the same directory search for the file.
  FileCtrl1->SetFileName(path, VersionInfo1->FileFacts());
  const TVersionInfo& info = *VersionInfo1;
  const std::vector<std::string> cells = {FFoundName,
                                          info.FileVersion(),
                                          info.FileDescription(),
                                          info.OriginalFilename(),
                                          info.ProductName(),
                                          info.ProductVersion(),
                                          info.Comments(),
                                          info.InternalFilename(),
                                          info.CompanyName(),
                                          info.LegalCopyright(),
                                          info.LegalTrademarks(),
                                          info.Created(),
                                          info.LastAccess(),
                                          info.LastModified(),
                                          AttributeLetters(info),
                                          FFoundDir,
                                          FileCtrl1->FileType(),
                                          std::to_string(FileCtrl1->FileSize())};
  FFoundItem = ListView->AddRow(cells, FileCtrl1->GetSystemIconIndex());
}
