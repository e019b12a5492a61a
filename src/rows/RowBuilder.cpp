#include "RowBuilder.h"

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

std::vector<std::string> TRowBuilder::Cells(const std::string& directory, const std::string& name) {
  const std::string path = directory + name;
  // The same name again reads nothing by itself, yet the file may have changed since.
  if (FVersions.RetrieveFilename() == path) {
    FVersions.Retrieve();
  } else {
    FVersions.SetRetrieveFilename(path);
  }
  return CellsOfRetrieved(directory, name);
}

std::vector<std::string> TRowBuilder::FoundCells(const std::string& directory,
                                                 const WIN32_FIND_DATAA& entry,
                                                 const TFileHeadRead* head) {
  FVersions.RetrieveFound(directory + entry.cFileName, entry, head);
  return CellsOfRetrieved(directory, entry.cFileName);
}

std::vector<std::string> TRowBuilder::CellsOfRetrieved(const std::string& directory,
                                                       const std::string& name) {
  const std::string path = directory + name;
  // Both rest on the one directory search the version reader made for the file.
  FFiles.SetFileName(path, FVersions.FileFacts());
  const TVersionInfo& info = FVersions;
  return {name,
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
          directory,
          FFiles.FileType(),
          std::to_string(FFiles.FileSize())};
}
