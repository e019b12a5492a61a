#pragma once

#include <windows.h>

#include <map>

// A mouse pointer shape by the index controls name it with.
using TCursor = int;
// The shape of the window's class.
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHandPoint = -21;

// The shapes behind the cursor indexes: the system's, until the program replaces one. The
// entries are shared cursors (as LoadCursorA answers them), which the system frees with their
// module, so the table never destroys one.
class TCursorTable {
public:
  TCursorTable();

  // The shape of the index; the arrow for an index without an entry.
  HCURSOR Cursor(TCursor index) const;
  // Replaces the shape of the index for every control that shows it; null removes the entry.
  void SetCursor(TCursor index, HCURSOR cursor);

private:
  std::map<TCursor, HCURSOR> FCursors;
};
