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

// True when the folder's icon is the one every plain folder shows: it is a folder on disk,
// neither read-only, system nor a link (the shell reads the read-only and system ones'
// desktop.ini), holds no desktop.ini (Wine reads it whatever the attributes), and its name
// makes it no shell object (".{CLSID}"). Whether the folder classes choose icons per folder
// is FolderIconComesFromEachFolder's question.
bool FolderShowsPlainIcon(const std::string& path);

// True when an icon handler or the folder classes' settings choose each folder's icon.
bool FolderIconComesFromEachFolder();
