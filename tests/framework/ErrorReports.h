#pragma once

#include "framework/Object.h"
#include "support/DialogBoxes.h"

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

// Takes the application's OnException: what each error said and on which thread it came.
class TErrorListener : public TObject {
public:
  void Heard(TObject* sender, const std::exception& error);

  std::vector<TObject*> Senders;
  std::vector<std::string> Messages;
  std::vector<DWORD> Threads;
};

// Answers every message box of this thread with OK, from a timer that the box's own modal
// loop runs, and records what each one showed. One at a time.
class TMessageBoxAnswerer {
public:
  TMessageBoxAnswerer();
  ~TMessageBoxAnswerer();
  TMessageBoxAnswerer(const TMessageBoxAnswerer&) = delete;
  TMessageBoxAnswerer& operator=(const TMessageBoxAnswerer&) = delete;

  std::vector<TMessageBoxSeen> Seen;

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  UINT_PTR FTimer = 0;
  HWND FAnswered = nullptr;
};
