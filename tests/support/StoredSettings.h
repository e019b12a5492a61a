#pragma once

// The program's key under HKEY_CURRENT_USER.
constexpr const char* ProductKey = "Software\\KOV\\KOVQuillet";

// Removes everything the program stored, so that a test starts as a first run does.
void ClearStoredSettings();
