#pragma once
// The command line's progress display of clone reads and writes: a bar of the clone
// manager's segments redrawn in place on a terminal stream ("\r"), with the bytes moved,
// ended by a line break when the transfer closes.
#include <ostream>

#include "clone/indCloneProgress.h"

class cmcTextProgress : public indCloneProgress {
 public:
  explicit cmcTextProgress(std::ostream& out) : out_(out) {}

  void Open() override;
  void Update(int transferred, int total, int filled) override;
  void Close() override;

 private:
  std::ostream& out_;
  int shown_ = -1;
  bool open_ = false;
};
