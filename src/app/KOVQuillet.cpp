#include "QuilletMain.h"

#include "framework/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TApplication application;
  application.SetTitle("KOVQuillet");
  // Owned by the application, which destroys it after the message loop.
  new TfrmQuilletMain(&application);
  application.Run();
  return 0;
}
