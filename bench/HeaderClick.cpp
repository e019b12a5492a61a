#include "HeaderClick.h"

#include <commctrl.h>

void ClickHeader(const TfrmQuilletMain& form, int column) {
  const HWND list = form.ListView->Handle();
  NMLISTVIEW click = {};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = column;
  SendMessageA(form.Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}
