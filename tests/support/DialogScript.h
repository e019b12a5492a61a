#pragma once

#include "DialogBoxes.h"

#include <functional>
#include <string>
#include <vector>

// Answers this thread's dialog boxes in turn, each with the next of its answers, from a timer
// that the boxes' own modal loops run, and records what each showed. A box beyond the answers
// is recorded too and closed, so that a wrong turn fails the test instead of holding it.
// One script at a time.
class TDialogScript {
public:
  using TAnswer = std::function<void(HWND dialog)>;

  explicit TDialogScript(std::vector<TAnswer> answers);
  ~TDialogScript();
  TDialogScript(const TDialogScript&) = delete;
  TDialogScript& operator=(const TDialogScript&) = delete;

  const std::vector<TMessageBoxSeen>& Seen() const { return FSeen; }
  // Every answer has been given.
  bool Done() const { return FSeen.size() >= FAnswers.size(); }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void Answer(HWND dialog);

  std::vector<TAnswer> FAnswers;
  std::vector<TMessageBoxSeen> FSeen;
  // The box answered last, which may still be up while its button's click is on its way.
  HWND FAnswered = nullptr;
  UINT_PTR FTimer;
};

// A press of one of the box's buttons.
TDialogScript::TAnswer Press(int button);
// A file name typed into a file dialog, then its Save (or Open) button pressed.
TDialogScript::TAnswer TypeFileName(const std::string& name);
