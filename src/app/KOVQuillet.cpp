#include "QuilletMain.h"

#include "Application.h"
#include "ShellSession.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const TShellSession shell;
  TApplication application;
  application.SetTitle("KOVQuillet");
  application.SetMessageInterval(SearchMessageInterval);
  if (!shell.Available()) {
    application.Terminate();
  }
  // Owned by the application, which destroys it after the message loop.
  new TfrmQuilletMain(&application);
  application.Run();
  return 0;
}
