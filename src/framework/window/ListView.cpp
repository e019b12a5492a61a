#include "ListView.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

namespace {
const UINT_PTR DrawingTimer = 0x4B51;
const UINT DrawingDelayMs = 250;
} // namespace

TListView::TListView(TComponent* owner, HWND parent)
    : TWinControl(owner, WC_LISTVIEWA,
                  LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SHAREIMAGELISTS |
                      WS_TABSTOP,
                  parent, WS_EX_CLIENTEDGE),
      // The system's list view class is a Unicode class: asked in Unicode, it answers its
      // procedure itself rather than a handle for CallWindowProc.
      FOwnProcedure(reinterpret_cast<WNDPROC>(GetClassLongPtrW(Handle(), GCLP_WNDPROC))) {
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
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = ItemCount();
  item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
  item.iImage = imageIndex;
  item.lParam = FNextRowKey++;
  // Under Wine a row drawn on its own costs some 20 ms of scroll bar and list painting.
  HoldDrawing();
  const int row =
      static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (std::size_t column = 1; column < cells.size(); ++column) {
    LVITEMA cell = {};
    cell.mask = LVIF_TEXT;
    cell.iItem = row;
    cell.iSubItem = static_cast<int>(column);
    cell.pszText = const_cast<char*>(cells[column].c_str());
    if (OnGetSubItemImage) {
      cell.mask |= LVIF_IMAGE;
      OnGetSubItemImage(this, row, static_cast<int>(column) - 1, cell.iImage);
    }
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
  }
  return row;
}

int TListView::ItemImage(int row) const {
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

std::string TListView::ItemText(int row, int column) const {
  std::string text;
  AppendItemText(row, column, text);
  return text;
}

void TListView::AppendItemText(int row, int column, std::string& text) const {
  // The list answers how much it copied, so a text that fills the buffer is asked for again
  // with a bigger one. Most texts fit the first, which costs no allocation.
  // A report of 50,000 rows reads 900,000 cells, and under Wine each message through the
  // subclass and its ANSI-to-Unicode thunk costs more than the reading itself. Reading
  // changes nothing, so the list view's own procedure is asked directly.
  const WNDPROC read = FOwnProcedure;
  char first[256];
  std::vector<char> bigger;
  char* buffer = first;
  std::size_t size = sizeof first;
  for (;;) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(size);
    const auto length = static_cast<std::size_t>(
        read(Handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < size) {
      text.append(buffer, length);
      return;
    }
    size *= 4;
    bigger.resize(size);
    buffer = bigger.data();
  }
}

void TListView::HoldDrawing() {
  if (FDrawingHeld) {
    return;
  }
  FDrawingHeld = true;
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  SetTimer(Handle(), DrawingTimer, DrawingDelayMs, nullptr);
}

void TListView::ReleaseDrawing() {
  KillTimer(Handle(), DrawingTimer);
  FDrawingHeld = false;
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::Clear() {
  SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
  FNextRowKey = 0;
}

void TListView::DeleteRow(int row) {
  SendMessageA(Handle(), LVM_DELETEITEM, row, 0);
}

int TListView::FirstSelectedRow() const {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                       MAKELPARAM(LVNI_SELECTED, 0)));
}

void TListView::SetRowSelected(int row, bool selected) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageA(Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void TListView::EditCaption(int row) {
  // The list edits a caption only while it has the focus.
  SetFocus();
  SendMessageA(Handle(), LVM_EDITLABELA, row, 0);
}

bool TListView::IsEditing() const {
  return SendMessageA(Handle(), LVM_GETEDITCONTROL, 0, 0) != 0;
}

void TListView::SetSmallImages(HIMAGELIST images) {
  SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

HIMAGELIST TListView::SmallImages() const {
  return reinterpret_cast<HIMAGELIST>(SendMessageA(Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}

namespace {

struct TSortContext {
  // The text of each row in the sort column, by the row's key.
  std::vector<std::string> Cells;
  TCompareCells Compare;
  int Column;
};

int CALLBACK CompareSortKeys(LPARAM row1, LPARAM row2, LPARAM context) {
  const auto& sort = *reinterpret_cast<const TSortContext*>(context);
  return sort.Compare(sort.Cells[static_cast<std::size_t>(row1)],
                      sort.Cells[static_cast<std::size_t>(row2)], sort.Column);
}

} // namespace

void TListView::SortRows(int column, TCompareCells compare) {
  // The rows are known by the keys they were added with, so the sort writes nothing into
  // them: under Wine every write would cost two notifications to the window and a redraw
  // request, some 0.15 ms a row.
  TSortContext context{std::vector<std::string>(static_cast<std::size_t>(FNextRowKey)), compare,
                       column};
  const int count = ItemCount();
  for (int row = 0; row < count; ++row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    context.Cells.at(static_cast<std::size_t>(item.lParam)) = ItemText(row, column);
  }
  SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
               reinterpret_cast<LPARAM>(&CompareSortKeys));
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
  default:
    return 0;
  }
}

LRESULT TListView::CaptionEdited(NMLVDISPINFOA& edit) {
  if (edit.item.pszText == nullptr) {
    return FALSE; // left with Esc
  }
  std::string text = edit.item.pszText;
  OnEdited(this, edit.item.iItem, text);
  LVITEMA caption = {};
  caption.pszText = const_cast<char*>(text.c_str());
  SendMessageA(Handle(), LVM_SETITEMTEXTA, edit.item.iItem, reinterpret_cast<LPARAM>(&caption));
  // Answering TRUE would have the list take the edit box's text over the handler's; Wine
  // does so, whatever the notification's text then says.
  return FALSE;
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
  if (message == WM_TIMER && wParam == DrawingTimer && FDrawingHeld) {
    ReleaseDrawing();
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
