#include "ImportPatch.h"

#include "support/ImportSlots.h"

void* PatchImport(const char* function, void* replacement) {
  const std::vector<void**> slots = ImportSlots(nullptr, function);
  if (slots.empty()) {
    return nullptr;
  }
  void* const original = *slots.front();
  for (void** slot : slots) {
    Redirect(slot, replacement);
  }
  return original;
}
