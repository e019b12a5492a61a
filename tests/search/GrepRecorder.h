#pragma once

#include "FileGrep.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

enum class TGrepEvent { DirChange, FileChange, Found, Finished, Cancel, End, Failure };

struct TRecordedEvent {
  TGrepEvent Kind;
  std::string Argument;
  DWORD ThreadId;
};

// Records, in order, what a TFileGrep reports and on which thread, and the errors the
// application reports (a threaded run's failure arrives there, and a message box would hang
// the test). Tests act from inside a handler through Hook, called after the event is recorded.
class TGrepRecorder : public TObject {
public:
  // Paths below root are shown as "~" in Trace.
  TGrepRecorder(TFileGrep& grep, std::string root);
  ~TGrepRecorder() override;

  // Every event but FileChange, one line each, such as "found ~\sub\;a.txt;" or "end".
  std::vector<std::string> Trace() const;
  std::vector<std::string> Arguments(TGrepEvent kind) const;
  // The arguments with root shown as "~", as Trace does.
  std::vector<std::string> Shown(TGrepEvent kind) const;
  int Count(TGrepEvent kind) const;
  bool Ended() const { return Count(TGrepEvent::End) > 0; }
  // Shows a path below root as "~", as Trace does.
  std::string Short(const std::string& path) const;

  std::vector<TRecordedEvent> Events;
  // Events whose sender was not the component.
  int ForeignSenders = 0;
  std::function<void(TGrepEvent, const std::string&)> Hook;

private:
  void Record(TObject* sender, TGrepEvent kind, const std::string& argument);
  void DirChange(TObject* sender, const std::string& name);
  void FileChange(TObject* sender, const std::string& name);
  void Found(TObject* sender, const std::string& found);
  void Finished(TObject* sender);
  void Cancelled(TObject* sender);
  void RunEnded(TObject* sender);
  void Failed(TObject* sender, const std::exception& error);

  TObject* FGrep;
  std::string FRoot;
};
