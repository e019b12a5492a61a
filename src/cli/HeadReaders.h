#pragma once

#include "FileHead.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Reads the heads of found files on a few threads, ahead of the one that lists them, which
// takes them in the order they were asked for. Opening a file waits on the system (under
// Wine, on its server as well), and the opens of several threads overlap one another and
// the listing, so that a tree whose files must each be opened is listed much faster.
class THeadReaders {
public:
  explicit THeadReaders(unsigned threads);
  ~THeadReaders();
  THeadReaders(const THeadReaders&) = delete;
  THeadReaders& operator=(const THeadReaders&) = delete;

  // Asks for the file's head; the heads are taken in this order.
  void Ask(std::string path);
  // The head asked for first of those not yet taken, as ReadFileHeadAndError gives it; waits
  // until it has been read.
  TFileHeadRead Take();

private:
  struct TSlot {
    std::string Path;
    TFileHeadRead Head;
    bool Read = false;
  };

  void ReadAsked();

  std::mutex FLock;
  std::condition_variable FAsked;
  std::condition_variable FRead;
  // Asked and not yet taken, oldest first; a deque keeps each slot in place as it grows.
  std::deque<TSlot> FSlots;
  // The first slot no reader has taken up yet.
  std::size_t FNextToRead = 0;
  bool FEnding = false;
  std::vector<std::thread> FThreads;
};
