#include "ListView.h"

#include "Strings.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

TListView::TListView(TComponent* owner, HWND parent)
    : TWinControl(owner, WC_LISTVIEWA,
                  LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_EDITLABELS |
                      LVS_SHAREIMAGELISTS | WS_TABSTOP,
                  parent, WS_EX_CLIENTEDGE) {
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

void TListView::AddColumn(const std::string& caption, int width, int minWidth) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_MINWIDTH;
  column.pszText = const_cast<char*>(caption.c_str());
  column.cx = width;
  column.cxMin = minWidth;
  column.iSubItem = ColumnCount();
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, ColumnCount(), reinterpret_cast<LPARAM>(&column));
  FMinWidths.push_back(minWidth);
}

int TListView::ColumnCount() const {
  const auto header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
  return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

std::string TListView::ColumnCaption(int index) const {
  char text[256] = {};
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = sizeof text;
  SendMessageA(Handle(), LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
  return text;
}

int TListView::ColumnWidth(int index) const {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, index, 0));
}

int TListView::ItemCount() const {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

int TListView::AddRow(const std::vector<std::string>& cells, int imageIndex) {
  FRows.Add(cells, imageIndex);
  // Under Wine a row drawn on its own costs some 20 ms of scroll bar and list painting.
  FDrawing.Hold(Handle());
  SendMessageA(Handle(), LVM_SETITEMCOUNT, FRows.Count(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  return static_cast<int>(FRows.Count()) - 1;
}

int TListView::ItemImage(int row) const {
  return FRows.Image(static_cast<std::size_t>(row));
}

std::string TListView::ItemText(int row, int column) const {
  return std::string(FRows.Text(static_cast<std::size_t>(row), static_cast<std::size_t>(column)));
}

void TListView::AppendItemText(int row, int column, std::string& text) const {
  text += FRows.Text(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

void TListView::Clear() {
  CancelCaptionEdit();
  SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
  FRows.Clear();
}

void TListView::DeleteRow(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= FRows.Count()) {
    return;
  }
  CancelCaptionEdit();
  // The list moves the selection of the rows below up by one.
  SendMessageA(Handle(), LVM_DELETEITEM, row, 0);
  FRows.Erase(static_cast<std::size_t>(row));
}

int TListView::NextRow(int after, UINT state) const {
  return static_cast<int>(
      SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(state, 0)));
}

void TListView::SetRowState(int row, UINT mask, UINT state) {
  LVITEMA item = {};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
}

int TListView::FirstSelectedRow() const {
  return NextRow(-1, LVNI_SELECTED);
}

void TListView::SetRowSelected(int row, bool selected) {
  SetRowState(row, LVIS_SELECTED, selected ? LVIS_SELECTED : 0);
}

int TListView::FocusedRow() const {
  return NextRow(-1, LVNI_FOCUSED);
}

void TListView::SetRowFocused(int row) {
  SetRowState(row, LVIS_FOCUSED, LVIS_FOCUSED);
}

int TListView::SelectionMark() const {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTIONMARK, 0, 0));
}

void TListView::SetSelectionMark(int row) {
  SendMessageA(Handle(), LVM_SETSELECTIONMARK, 0, row);
}

void TListView::EditCaption(int row) {
  // The list edits a caption only while it has the focus.
  SetFocus();
  SendMessageA(Handle(), LVM_EDITLABELA, row, 0);
}

bool TListView::IsEditing() const {
  return SendMessageA(Handle(), LVM_GETEDITCONTROL, 0, 0) != 0;
}

void TListView::CancelCaptionEdit() {
  if (!IsEditing()) {
    return;
  }
  // Windows ends the edit with no text; Wine ends it with the text typed, which is ignored.
  FCancellingEdit = true;
  SendMessageA(Handle(), LVM_CANCELEDITLABEL, 0, 0);
  FCancellingEdit = false;
}

void TListView::SetSmallImages(HIMAGELIST images) {
  SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

HIMAGELIST TListView::SmallImages() const {
  return reinterpret_cast<HIMAGELIST>(SendMessageA(Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}

void TListView::SortRows(int column, TSortKeyOf keyOf, bool ascending) {
  CancelCaptionEdit();
  // The list keeps the selection, the focus and the anchor of Shift+click by position, so
  // they are moved after the rows: the row now at i was at order[i].
  const int focused = FocusedRow();
  const int mark = SelectionMark();
  int movedMark = -1;
  std::vector<bool> selected(FRows.Count());
  for (int row = FirstSelectedRow(); row >= 0; row = NextRow(row, LVNI_SELECTED)) {
    selected[static_cast<std::size_t>(row)] = true;
  }
  const std::vector<std::size_t> order =
      FRows.Sort(static_cast<std::size_t>(column), keyOf, ascending);
  SetRowSelected(-1, false);
  for (std::size_t row = 0; row < order.size(); ++row) {
    const int now = static_cast<int>(row);
    if (selected[order[row]]) {
      SetRowSelected(now, true);
    }
    if (static_cast<int>(order[row]) == mark) {
      movedMark = now;
    }
    if (static_cast<int>(order[row]) == focused) {
      SetRowFocused(now);
    }
  }
  // Last, since selecting a row may set the anchor where there was none.
  SetSelectionMark(movedMark);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TListView::NotifyNotification(NMHDR& header) {
  switch (header.code) {
  case LVN_COLUMNCLICK:
    OnColumnClick(this, reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
    return 0;
  case NM_DBLCLK:
    OnDblClick(this);
    return 0;
  case LVN_ENDLABELEDITA:
    return CaptionEdited(reinterpret_cast<NMLVDISPINFOA&>(header));
  case LVN_GETDISPINFOA:
    AnswerCell(reinterpret_cast<NMLVDISPINFOA&>(header).item);
    return 0;
  case LVN_ODFINDITEMA: {
    const auto& find = reinterpret_cast<NMLVFINDITEMA&>(header);
    return FindRow(find.lvfi.flags, find.lvfi.psz == nullptr ? "" : find.lvfi.psz, find.iStart);
  }
  case LVN_ODFINDITEMW: {
    // Wine's list asks in Unicode whatever the window it tells.
    const auto& find = reinterpret_cast<NMLVFINDITEMW&>(header);
    return FindRow(find.lvfi.flags, AnsiFromWide(find.lvfi.psz), find.iStart);
  }
  default:
    return 0;
  }
}

LRESULT TListView::CaptionEdited(NMLVDISPINFOA& edit) {
  if (edit.item.pszText == nullptr || FCancellingEdit) {
    return FALSE; // left with Esc, or cancelled
  }
  const int row = edit.item.iItem;
  if (row < 0 || static_cast<std::size_t>(row) >= FRows.Count()) {
    return FALSE;
  }
  std::string text = edit.item.pszText;
  OnEdited(this, row, text);
  FRows.SetText(static_cast<std::size_t>(row), 0, text);
  SendMessageA(Handle(), LVM_REDRAWITEMS, row, row);
  // Answering TRUE would have the list take the edit box's text over the handler's; Wine
  // does so, whatever the notification's text then says.
  return FALSE;
}

void TListView::AnswerCell(LVITEMA& item) {
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= FRows.Count() ||
      item.iSubItem < 0) {
    return;
  }
  const auto row = static_cast<std::size_t>(item.iItem);
  if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
    CopyWhatFits(FRows.Text(row, static_cast<std::size_t>(item.iSubItem)), item.pszText,
                 static_cast<std::size_t>(item.cchTextMax));
  }
  if ((item.mask & LVIF_IMAGE) != 0) {
    if (item.iSubItem == 0) {
      item.iImage = FRows.Image(row);
    } else if (OnGetSubItemImage) {
      OnGetSubItemImage(this, item.iItem, item.iSubItem - 1, item.iImage);
    }
  }
}

int TListView::FindRow(UINT flags, const std::string& text, int start) const {
  // Typing in the list asks for the next row whose caption begins with the letters typed.
  if ((flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || FRows.Count() == 0) {
    return -1;
  }
  const int last = static_cast<int>(FRows.Count()) - 1;
  return FRows.FindCaption(text, static_cast<std::size_t>(std::clamp(start, 0, last)),
                           (flags & LVFI_PARTIAL) != 0, (flags & LVFI_WRAP) != 0);
}

LRESULT TListView::ContextMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CONTEXTMENU) {
    FMenuKeyDown = false;
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (point.x != -1 || point.y != -1) {
      ScreenToClient(Handle(), &point);
    }
    bool handled = false;
    OnContextPopup(this, point, handled);
    return handled ? 0 : DefaultHandler(message, wParam, lParam);
  }
  if (message == WM_KEYDOWN) {
    FMenuKeyDown = true;
    return DefaultHandler(message, wParam, lParam);
  }
  // The key's release: Windows asks for the menu in its default handling of it, Wine
  // nowhere, so it is asked for here unless that has happened.
  const LRESULT result = DefaultHandler(message, wParam, lParam);
  if (FMenuKeyDown) {
    FMenuKeyDown = false;
    SendMessageA(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), MAKELPARAM(-1, -1));
  }
  return result;
}

LRESULT TListView::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (FDrawing.ReleasedBy(Handle(), message, wParam)) {
    return 0;
  }
  if (message == WM_CONTEXTMENU ||
      ((message == WM_KEYDOWN || message == WM_KEYUP) && wParam == VK_APPS)) {
    return ContextMenuMessage(message, wParam, lParam);
  }
  if (message == WM_NOTIFY) {
    // Wine's list view keeps a column's smallest width only when it is set by a message;
    // a drag of the header's divider below it is refused here.
    auto& notify = *reinterpret_cast<NMHEADERA*>(lParam);
    const bool changing =
        notify.hdr.code == HDN_ITEMCHANGINGA || notify.hdr.code == HDN_ITEMCHANGINGW;
    if (changing && notify.pitem != nullptr && (notify.pitem->mask & HDI_WIDTH) != 0 &&
        notify.iItem >= 0 && notify.iItem < static_cast<int>(FMinWidths.size()) &&
        notify.pitem->cxy < FMinWidths[static_cast<std::size_t>(notify.iItem)]) {
      // Refused, and the column goes to its smallest width once the drag step is over.
      PostMessageA(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(notify.iItem),
                   FMinWidths[static_cast<std::size_t>(notify.iItem)]);
      return TRUE;
    }
  }
  return DefaultHandler(message, wParam, lParam);
}
