#include "ListBox.h"

#include <stdexcept>

int TListBoxStrings::Count() const {
  return static_cast<int>(SendMessageA(FListBox, LB_GETCOUNT, 0, 0));
}

std::string TListBoxStrings::Get(int index) const {
  const LRESULT length = SendMessageA(FListBox, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  std::string text(static_cast<std::size_t>(length), '\0');
  SendMessageA(FListBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text;
}

int TListBoxStrings::Add(const std::string& s) {
  const LRESULT index =
      SendMessageA(FListBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (index < 0) {
    throw std::runtime_error("Out of system resources");
  }
  return static_cast<int>(index);
}

void TListBoxStrings::Clear() {
  SendMessageA(FListBox, LB_RESETCONTENT, 0, 0);
}

TListBox::TListBox(TComponent* owner, HWND parent)
    : TWinControl(owner, "LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, parent), FItems(Handle()) {}
