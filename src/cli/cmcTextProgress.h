#pragma once
// The command line's progress display of clone reads and writes: a bar of the clone
// manager's segments redrawn in place on a terminal stream ("\r"), with the percentage,
// the bytes moved and, once bytes have moved, the time left at the rate so far; ended by
// a line break when the transfer closes.
#include <cstdint>
#include <ostream>

#include "clone/indCloneProgress.h"

class cmcClock;

class cmcTextProgress : public indCloneProgress {
 public:
  // The clock times the transfer for the time left.
  cmcTextProgress(std::ostream& out, const cmcClock& clock) : out_(out), clock_(clock) {}

  void Open() override;
  void Update(int transferred, int total, int filled) override;
  void Close() override;

 private:
  std::ostream& out_;
  const cmcClock& clock_;
  uint32_t startMs_ = 0;
  int shown_ = -1;
  int shownSeconds_ = -1;
  bool open_ = false;
};
