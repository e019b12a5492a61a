#include "ComboBox.h"

#include <commctrl.h>

#include <stdexcept>

int TComboBoxStrings::Count() const {
  return static_cast<int>(SendMessageA(FComboBox, CB_GETCOUNT, 0, 0));
}

std::string TComboBoxStrings::Get(int index) const {
  const LRESULT length = SendMessageA(FComboBox, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  std::string text(static_cast<std::size_t>(length), '\0');
  SendMessageA(FComboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text;
}

int TComboBoxStrings::Add(const std::string& s) {
  const LRESULT index =
      SendMessageA(FComboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (index < 0) {
    throw std::runtime_error("Out of system resources");
  }
  return static_cast<int>(index);
}

void TComboBoxStrings::Clear() {
  // Emptying the list empties the edit field as well; the text the box shows is not the
  // list's to lose.
  const int length = GetWindowTextLengthA(FComboBox);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(FComboBox, text.data(), length + 1)));
  SendMessageA(FComboBox, CB_RESETCONTENT, 0, 0);
  SetWindowTextA(FComboBox, text.c_str());
}

TComboBox::TComboBox(TComponent* owner, HWND parent)
    : TWinControl(owner, "ComboBox", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                  parent),
      FItems(Handle()), FEdit(FindWindowExA(Handle(), nullptr, "Edit", nullptr)) {
  if (FEdit != nullptr) {
    SubclassPart(FEdit);
  }
}

void TComboBox::SetDropDownCount(int count) {
  const int itemHeight = static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0));
  SendMessageA(Handle(), CB_SETMINVISIBLE, count, 0);
  RECT rect;
  GetWindowRect(Handle(), &rect);
  // The window's height sets the height of the dropped list as well.
  SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left,
               rect.bottom - rect.top + count * itemHeight + 2, SWP_NOMOVE | SWP_NOZORDER);
}

TPropertyList TComboBox::PublishedProperties() {
  return {StringsProperty("Items", [this]() -> TStrings& { return Items(); }),
          StringProperty(
              "Text", [this] { return Text(); }, [this](const std::string& s) { SetText(s); })};
}
