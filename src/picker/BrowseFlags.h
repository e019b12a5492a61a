#pragma once

#include "Set.h"

#include <windows.h>

// What the folder-browse dialog lets the user choose and how it looks.
enum TBrowseFlag {
  bfDirectoriesOnly,
  bfDomainOnly,
  bfAncestors,
  bfComputers,
  bfPrinters,
  bfIncludeFiles,
  bfEditBox,
  bfIncludeURLs,
  bfNewDialogStyle,
  bfShareable,
  bfUseNewUI
};
using TBrowseFlags = TSet<TBrowseFlag>;

// The folder at the top of the dialog's tree; each value is the special-folder number the
// shell knows it by.
enum TRootID {
  idDesktop = 0,
  idInternet = 1,
  idPrograms = 2,
  idControlPanel = 3,
  idPrinters = 4,
  idPersonal = 5,
  idFavorites = 6,
  idStartup = 7,
  idRecent = 8,
  idSendTo = 9,
  idRecycleBin = 10,
  idStartMenu = 11,
  idDesktopDirectory = 16,
  idDrives = 17,
  idNetwork = 18,
  idNetHood = 19,
  idFonts = 20,
  idTemplates = 21,
  idCommonStartMenu = 22,
  idCommonPrograms = 23,
  idCommonStartup = 24,
  idCommonDesktopDirectory = 25,
  idAppData = 26,
  idPrintHood = 27,
  idDesktopExpanded = 0xFEFE
};

// The options with what each one needs: URLs need files and the new interface, shareable
// folders the new interface, and the new interface its edit box and dialog style.
TBrowseFlags CompleteOptions(TBrowseFlags options);
// BROWSEINFOA.ulFlags for the options, with BIF_STATUSTEXT when a status line is wanted.
UINT BrowseInfoFlags(TBrowseFlags options, bool withStatus);
// The special-folder number to ask the shell for. Systems other than Windows NT have no
// folders common to all users and take the user's own instead.
int RootFolderId(TRootID root, bool windowsNT);
// Whether this system is of the Windows NT family.
bool IsWindowsNT();
