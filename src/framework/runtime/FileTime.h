#pragma once

#include "DateTime.h"

#include <windows.h>

// The date-time value of a file time taken as it stands (no time-zone change). A time that
// makes no date from year 1 to 9998 gives 1 January 1900, 00:00.
TDateTime FileTimeToDateTime(const FILETIME& time);
