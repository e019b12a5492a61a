#include "QuilletMain.h"

#include "Application.h"
#include "OleSession.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const TOleSession ole;
  TApplication application;
  application.SetTitle("KOVQuillet");
  // Owned by the application, which destroys it after the message loop.
  new TfrmQuilletMain(&application);
  application.Run();
  return 0;
}
