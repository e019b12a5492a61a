#include "StoredSettings.h"

#include <windows.h>

void ClearStoredSettings() {
  RegDeleteTreeA(HKEY_CURRENT_USER, ProductKey);
}
