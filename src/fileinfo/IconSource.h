#pragma once

#include <string>

// True when files of the extension ("." included) may each show an icon of their own, so
// that the shell must be asked about every file: the type's default icon is the file itself
// ("%1", as for programs, icons and cursors), the type is a shortcut (it shows its target's
// icon), or an icon handler chooses the icon per file. Every association the shell may use
// for the extension counts: its class and that class's newer versions, the program the user
// chose, and the settings the system keeps for the extension itself. Read from the registry
// as it is now; an extension without any of them answers false.
bool IconComesFromEachFile(const std::string& extension);
