#include "WinControl.h"

#include <stdexcept>

TWinControl::TWinControl(TComponent* owner, const char* className, DWORD style, HWND parent)
    : TComponent(owner),
      FHandle(CreateWindowExA(0, className, "", style | (parent != nullptr ? WS_CHILD : 0), 0, 0, 0,
                              0, parent, nullptr, GetModuleHandleA(nullptr), nullptr)) {
  if (!FHandle) {
    throw std::runtime_error(std::string("Error creating window of class ") + className);
  }
}
