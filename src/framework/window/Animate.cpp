#include "Animate.h"

#include <commctrl.h>

TAnimate::TAnimate(TComponent* owner, HWND parent)
    : TWinControl(owner, ANIMATE_CLASSA, ACS_TRANSPARENT | ACS_CENTER, parent) {}

void TAnimate::OpenClip(HMODULE module, int resource) {
  SendMessageA(Handle(), ACM_OPENA, reinterpret_cast<WPARAM>(module),
               reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(resource)));
}

void TAnimate::Play(int firstFrame, int lastFrame) {
  FActive = true;
  SendMessageA(Handle(), ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(firstFrame, lastFrame));
}

void TAnimate::Stop() {
  FActive = false;
  SendMessageA(Handle(), ACM_STOP, 0, 0);
}
