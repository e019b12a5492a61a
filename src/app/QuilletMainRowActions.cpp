#include "QuilletMain.h"

#include "FileExists.h"
#include "ResultColumns.h"

// The row actions: the file of a result row opened, shown in its context menu, renamed in
// place and deleted, all through the shell browser. Each acts on the first selected row
// and only while the row's file is there.

namespace {

// Where the context menu opens, in the window's client area, wherever the mouse is.
const POINT ContextMenuPlace = {24, 105};

// A row's file: its directory cell, which ends in a backslash, and its caption.
std::string RowPath(const TListView& list, int row) {
  return list.ItemText(row, DirectoryColumn) + list.ItemText(row, NameColumn);
}

// Binds the browser to the file of the first selected row; answers that row, or -1 when no
// row is selected or its file is not there.
int BindActedOnRow(const TListView& list, TShellBrowser& browser) {
  const int row = list.FirstSelectedRow();
  if (row < 0 || !FileExistsTest(RowPath(list, row))) {
    return -1;
  }
  browser.SetObjectName(RowPath(list, row));
  return row;
}

// The row goes with its file only: the user may have declined the shell's confirmation, or
// the deletion failed. The row is found again by its file, since the shell's dialogs run a
// message loop in which the list may have changed.
void RemoveRowIfFileIsGone(TListView& list, int row, const std::string& path) {
  if (TShellBrowser::ObjectExists(path)) {
    return;
  }
  if (row >= list.ItemCount() || RowPath(list, row) != path) {
    row = -1;
    for (int other = 0; other < list.ItemCount() && row < 0; ++other) {
      row = RowPath(list, other) == path ? other : -1;
    }
  }
  list.DeleteRow(row);
}

} // namespace

void TfrmQuilletMain::ListViewContextPopup(TObject*, POINT, bool&) {
  const int row = BindActedOnRow(*ListView, *ShellBrowser);
  if (row < 0) {
    return;
  }
  const std::string path = RowPath(*ListView, row);
  POINT place = ContextMenuPlace;
  ClientToScreen(Handle(), &place);
  std::string verb;
  ShellBrowser->ShowContextMenu(place, verb);
  // The menu's delete command removes the file; a row that names no file then goes too.
  RemoveRowIfFileIsGone(*ListView, row, path);
}

void TfrmQuilletMain::ListViewDblClick(TObject*) {
  if (BindActedOnRow(*ListView, *ShellBrowser) >= 0) {
    ShellBrowser->InvokeVerb("default");
  }
}

void TfrmQuilletMain::ListViewKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_F2) {
    const int row = ListView->FirstSelectedRow();
    if (row >= 0) {
      ListView->EditCaption(row);
    }
  } else if (Key == VK_DELETE && !ListView->IsEditing()) {
    const int row = BindActedOnRow(*ListView, *ShellBrowser);
    if (row < 0) {
      return;
    }
    const std::string path = RowPath(*ListView, row);
    ShellBrowser->InvokeVerb("delete");
    RemoveRowIfFileIsGone(*ListView, row, path);
  }
}

void TfrmQuilletMain::ListViewEdited(TObject*, int Item, std::string& S) {
  // The caption still holds the old name; a row without its file just takes the text.
  const std::string path = RowPath(*ListView, Item);
  if (!FileExistsTest(path)) {
    return;
  }
  ShellBrowser->SetObjectName(path);
  ShellBrowser->Rename(S);
  // The caption becomes the file's name as the file system has it after the attempt, with
  // its extension even where the shell hides extensions, so that the row still names it.
  const std::string name = ShellBrowser->ObjectName();
  if (!name.empty()) {
    S = name;
  }
}
