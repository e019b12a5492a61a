#include "HeadReaders.h"

THeadReaders::THeadReaders(unsigned threads) {
  for (unsigned thread = 0; thread < threads; ++thread) {
    FThreads.emplace_back(&THeadReaders::ReadAsked, this);
  }
}

THeadReaders::~THeadReaders() {
  {
    const std::lock_guard lock(FLock);
    FEnding = true;
  }
  FAsked.notify_all();
  for (std::thread& thread : FThreads) {
    thread.join();
  }
}

void THeadReaders::Ask(std::string path) {
  {
    const std::lock_guard lock(FLock);
    FSlots.push_back({std::move(path), {}, false});
  }
  FAsked.notify_one();
}

TFileHeadRead THeadReaders::Take() {
  std::unique_lock lock(FLock);
  FRead.wait(lock, [this] { return FSlots.front().Read; });
  TFileHeadRead head = std::move(FSlots.front().Head);
  FSlots.pop_front();
  --FNextToRead;
  return head;
}

void THeadReaders::ReadAsked() {
  std::unique_lock lock(FLock);
  for (;;) {
    FAsked.wait(lock, [this] { return FEnding || FNextToRead < FSlots.size(); });
    if (FEnding) {
      return;
    }
    // Slots stay in place while this one is read: only Take removes one, and only once read.
    TSlot& slot = FSlots[FNextToRead++];
    lock.unlock();
    TFileHeadRead head = ReadFileHeadAndError(slot.Path);
    lock.lock();
    slot.Head = std::move(head);
    slot.Read = true;
    FRead.notify_one();
  }
}
