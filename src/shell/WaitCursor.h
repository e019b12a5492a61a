#pragma once

#include <windows.h>

// The hourglass while a shell operation runs; the cursor that was shown comes back at the
// end of the scope, however it ends.
class TWaitCursor {
public:
  TWaitCursor() : FPrevious(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
  ~TWaitCursor() { SetCursor(FPrevious); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
  HCURSOR FPrevious;
};
