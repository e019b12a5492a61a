#pragma once

// Identifiers of the main window's resources.
#define IDB_ACTIONS 100
#define IDB_FIND_GLYPH 101
#define IDB_STOP_GLYPH 102
