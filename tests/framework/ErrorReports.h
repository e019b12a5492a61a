#pragma once

#include "Object.h"

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
