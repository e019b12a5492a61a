#pragma once

#include "FileCtrl.h"
#include "VersionInfo.h"

#include <string>
#include <vector>

// Turns a found file into the cells of its result row, reading the file afresh through the
// version reader and the file facts, which the caller owns; it needs no window. After a row
// is built, the file facts are at the row's file (for its icon, say).
class TRowBuilder {
public:
  TRowBuilder(TVersionInfo& versions, TFileCtrl& files) : FVersions(versions), FFiles(files) {}

  // The eighteen cells, caption first, of the file named by the folder (with its trailing
  // backslash) and the name.
  std::vector<std::string> Cells(const std::string& directory, const std::string& name);
  // The same cells for a file a directory search has just found, from its entry's facts
  // and, when the caller has read it, its head (see TVersionInfo::RetrieveFound).
  std::vector<std::string> FoundCells(const std::string& directory, const WIN32_FIND_DATAA& entry,
                                      const TFileHeadRead* head = nullptr);

  // What the last row's file holds besides its cells.
  const TVersionInfo& Versions() const { return FVersions; }

private:
  std::vector<std::string> CellsOfRetrieved(const std::string& directory, const std::string& name);

  TVersionInfo& FVersions;
  TFileCtrl& FFiles;
};

// The attribute letters of a row: R, H, S and A, in this order.
std::string AttributeLetters(const TVersionInfo& info);
