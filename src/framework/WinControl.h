#pragma once

#include "Component.h"
#include "win/UniqueHandle.h"

// A component that owns one window made from a system window class.
class TWinControl : public TComponent {
public:
  HWND Handle() const { return FHandle.get(); }

protected:
  TWinControl(TComponent* owner, const char* className, DWORD style, HWND parent);

private:
  TWindowHandle FHandle;
};
