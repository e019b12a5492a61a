#pragma once

#include "Event.h"
#include "Set.h"

#include <windows.h>

enum TShiftStateMember { ssShift, ssAlt, ssCtrl };
using TShiftState = TSet<TShiftStateMember>;

// Key: the virtual-key code; a handler that sets it to 0 consumes the key.
using TKeyEvent = TEvent<WORD&, TShiftState>;

// The modifier keys held while the current message was generated.
TShiftState KeyboardShiftState();
