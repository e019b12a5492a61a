#pragma once

#include <vector>

// The slots of this program's import table through which it calls a system function by
// name, from the named module or, with module null, from whichever module imports it.
// Calls from the system's own modules do not go through them.
std::vector<void**> ImportSlots(const char* module, const char* function);
// Points an import slot at another function.
void Redirect(void** slot, void* target);
