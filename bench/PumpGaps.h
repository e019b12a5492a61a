#pragma once

// Watches the UI thread's message handling while it exists: the longest time between two
// looks at the message queue (PeekMessageA), in milliseconds.
class TPumpGaps {
public:
  TPumpGaps();
  ~TPumpGaps();
  TPumpGaps(const TPumpGaps&) = delete;
  TPumpGaps& operator=(const TPumpGaps&) = delete;

  double LongestMs() const;
};
