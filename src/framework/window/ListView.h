#pragma once

#include "DrawingHold.h"
#include "Event.h"
#include "ListRows.h"
#include "WinControl.h"

#include <commctrl.h>

#include <string>
#include <vector>

// Item, sub-item (0 for the first column after the caption), image index to answer.
using TGetSubItemImageEvent = TEvent<int, int, int&>;
// The index of the column whose header was clicked.
using TColumnClickEvent = TEvent<int>;
// Where a context menu was asked for, in the list's client coordinates; (-1, -1) when the
// keyboard asked. The handler sets the flag when it has shown a menu itself.
using TContextPopupEvent = TEvent<POINT, bool&>;
// The row whose caption the user edited, and the text typed; the caption becomes the text
// as the handler leaves it.
using TEditedEvent = TEvent<int, std::string&>;

// A list view in report mode: rows of text cells under column headers. Column indexes are
// the order columns were added in, whatever order the user drags the headers into. The rows
// are kept here and the list asks for the cells it draws: adding a row costs the list one
// message, where giving it every cell cost one per cell.
class TListView : public TWinControl {
public:
  TListView(TComponent* owner, HWND parent);

  void AddColumn(const std::string& caption, int width, int minWidth = 0);
  int ColumnCount() const;
  std::string ColumnCaption(int index) const;
  int ColumnWidth(int index) const;

  int ItemCount() const;
  // Appends a row of cells (the caption first) with an image; answers its index. The image
  // of each sub-item is asked of OnGetSubItemImage when the list asks for it.
  int AddRow(const std::vector<std::string>& cells, int imageIndex);
  int ItemImage(int row) const;
  // The text of a cell: column 0 is the row's caption, column k its sub-item k - 1.
  std::string ItemText(int row, int column) const;
  // Appends the text of a cell to text, for those who read many cells in a row.
  void AppendItemText(int row, int column, std::string& text) const;
  void Clear();
  void DeleteRow(int row);

  // The selected row with the lowest index; -1 when none is selected.
  int FirstSelectedRow() const;
  void SetRowSelected(int row, bool selected);
  // Opens the edit box on the row's caption, as a slow second click on it does.
  void EditCaption(int row);
  bool IsEditing() const;
  // Closes the edit box without applying its text. Sorting, clearing and deleting rows do
  // so first: the box would otherwise end up over, and rename, whatever row comes to stand
  // where the edit began.
  void CancelCaptionEdit();

  void SetSmallImages(HIMAGELIST images);
  HIMAGELIST SmallImages() const;

  // Reorders all rows by the texts of one column, through a key for each text, rows with
  // equal texts keeping their order; the rows move whole (cells, image, selection, focus).
  void SortRows(int column, TSortKeyOf keyOf, bool ascending);
  // The texts of the column are held once however many rows show them: for columns where
  // rows repeat a few texts (a folder, a type), so that a million rows fit in memory.
  void ShareColumnTexts(int column) { FRows.ShareColumn(static_cast<std::size_t>(column)); }

  TGetSubItemImageEvent OnGetSubItemImage;
  TColumnClickEvent OnColumnClick;
  TEvent<> OnDblClick;
  // A right click or the keyboard's menu key (or Shift+F10).
  TContextPopupEvent OnContextPopup;
  // Not raised when the user leaves the edit box with Esc.
  TEditedEvent OnEdited;

protected:
  LRESULT NotifyNotification(NMHDR& header) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // The next row after the one given (-1: from the top) in the state; -1 when none is.
  int NextRow(int after, UINT state) const;
  void SetRowState(int row, UINT mask, UINT state);
  // The row with the focus rectangle, and the anchor of a Shift+click range; -1 when none.
  int FocusedRow() const;
  int SelectionMark() const;
  void SetRowFocused(int row);
  void SetSelectionMark(int row);
  LRESULT CaptionEdited(NMLVDISPINFOA& edit);
  void AnswerCell(LVITEMA& item);
  int FindRow(UINT flags, const std::string& text, int start) const;
  LRESULT ContextMenuMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Rows found in a burst are drawn together, a quarter of a second after the first.
  TDrawingHold FDrawing{250};
  // While set, the edit that ends is one being cancelled, whatever text it reports.
  bool FCancellingEdit = false;
  // The menu key is down and no context menu has been asked for since.
  bool FMenuKeyDown = false;
  // Each column's smallest width, kept also when the user drags its divider.
  std::vector<int> FMinWidths;
  TListRows FRows;
};
