#pragma once

#include "QuilletMain.h"

#include <string>

// The main window, shown in the running application, searching as the user makes it search:
// the real found handler filling the real list view.
class TWindowSearch {
public:
  TWindowSearch();

  // Searches the folders (a ";" list) and their subfolders for every entry; answers the
  // seconds from Find until the window shows the search has ended.
  double Run(const std::string& folders);

  TfrmQuilletMain& Form() const { return *FForm; }
  int RowCount() const { return FForm->ListView->ItemCount(); }

private:
  // Owned by the application, which destroys it with itself.
  TfrmQuilletMain* FForm;
};
