#include "Cursors.h"

namespace {
HCURSOR SystemCursor(LPCSTR id) {
  return LoadCursorA(nullptr, id);
}
} // namespace

TCursorTable::TCursorTable()
    : FCursors{{crArrow, SystemCursor(IDC_ARROW)}, {crHandPoint, SystemCursor(IDC_HAND)}} {}

HCURSOR TCursorTable::Cursor(TCursor index) const {
  const auto found = FCursors.find(index);
  return found != FCursors.end() ? found->second : SystemCursor(IDC_ARROW);
}

void TCursorTable::SetCursor(TCursor index, HCURSOR cursor) {
  if (cursor != nullptr) {
    FCursors[index] = cursor;
  } else {
    FCursors.erase(index);
  }
}
