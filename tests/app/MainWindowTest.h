#pragma once

#include "MainWindowSession.h"

#include "support/SessionTest.h"

// A test of the main window, each session starting as a first run.
using TMainWindowTest = TSessionTest<TMainWindowSession>;
