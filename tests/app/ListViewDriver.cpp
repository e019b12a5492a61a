#include "ListViewDriver.h"

#include "Application.h"

#include <commctrl.h>

#include <algorithm>

const std::vector<std::string> ResultCaptions = {"Name",
                                                 "FileVersion",
                                                 "Description",
                                                 "OriginalFileName",
                                                 "ProductName",
                                                 "ProductVersion",
                                                 "Comments",
                                                 "InternalName",
                                                 "CompanyName",
                                                 "Copyright",
                                                 "LegalTrademarks",
                                                 "Created",
                                                 "LastAccess",
                                                 "LastMidified",
                                                 "Attributes",
                                                 "Directory",
                                                 "Type",
                                                 "Size"};

void ClickHeader(const TListView& list, int column) {
  const auto header = reinterpret_cast<HWND>(SendMessageA(list.Handle(), LVM_GETHEADER, 0, 0));
  // The header answers where the column's item is shown, after any drag of it.
  RECT item = {};
  SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
  // A header beyond the list's right edge is scrolled into view first, as a user would; the
  // header only answers clicks on its visible part.
  RECT visible = {};
  GetClientRect(header, &visible);
  if (item.right > visible.right) {
    SendMessageA(list.Handle(), LVM_SCROLL, item.right - visible.right, 0);
  }
  const LPARAM centre = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageA(header, WM_LBUTTONUP, 0, centre);
  Application->ProcessMessages();
}

std::string ShownText(const TListView& list, int row, int column) {
  std::vector<char> buffer(1024);
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  const auto length = static_cast<std::size_t>(
      SendMessageA(list.Handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
  return std::string(buffer.data(), length);
}

std::vector<std::string> ColumnTexts(const TListView& list, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < list.ItemCount(); ++row) {
    texts.push_back(ShownText(list, row, column));
  }
  return texts;
}

std::vector<std::string> RowTexts(const TListView& list, int row) {
  std::vector<std::string> texts;
  for (int column = 0; column < ResultColumnCount; ++column) {
    texts.push_back(ShownText(list, row, column));
  }
  return texts;
}

std::vector<std::string> TaggedRow(const std::string& tag,
                                   const std::vector<std::pair<int, std::string>>& cells) {
  std::vector<std::string> row;
  for (int column = 0; column < ResultColumnCount; ++column) {
    row.push_back(std::to_string(column) + ":" + tag);
  }
  for (const auto& [column, text] : cells) {
    row[static_cast<std::size_t>(column)] = text;
  }
  return row;
}

std::vector<std::string> SystemSorted(std::vector<std::string> texts, bool ascending) {
  std::sort(texts.begin(), texts.end(), [ascending](const std::string& a, const std::string& b) {
    const int order = lstrcmpA(a.c_str(), b.c_str());
    return ascending ? order < 0 : order > 0;
  });
  return texts;
}
