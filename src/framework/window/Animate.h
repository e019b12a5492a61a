#pragma once

#include "WinControl.h"

// An animation control playing a clip from a module's AVI resources.
class TAnimate : public TWinControl {
public:
  TAnimate(TComponent* owner, HWND parent);

  // Opens the clip; where the module has no such clip the control stays blank, which is not
  // an error. The module must stay loaded while the clip is open.
  void OpenClip(HMODULE module, int resource);
  // Plays the frames from first to last, repeated, until Stop.
  void Play(int firstFrame, int lastFrame);
  void Stop();
  bool Active() const { return FActive; }

private:
  bool FActive = false;
};
