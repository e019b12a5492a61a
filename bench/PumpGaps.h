#pragma once

// Watches the UI thread's message handling while it exists: the longest time from the end of
// one look at the message queue (PeekMessageA) to the start of the next, in milliseconds.
class TPumpGaps {
public:
  TPumpGaps();
  ~TPumpGaps();
  TPumpGaps(const TPumpGaps&) = delete;
  TPumpGaps& operator=(const TPumpGaps&) = delete;

  double LongestMs() const;
};
