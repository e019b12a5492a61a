#pragma once

#include "QuilletMain.h"

// What the list view tells its window when the user clicks the header of a column.
void ClickHeader(const TfrmQuilletMain& form, int column);
