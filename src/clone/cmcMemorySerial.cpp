#include "clone/cmcMemorySerial.h"

#include <algorithm>
#include <cerrno>

int cmcMemorySerial::Open(const std::string& path) {
  if (openError_) return openError_;
  if (open_) return EBUSY;
  open_ = true;
  path_ = path;
  ++openCount_;
  return 0;
}

bool cmcMemorySerial::Configure(const cmcLineSettings& settings) {
  if (!open_ || configureFails_) return false;
  configured_ = settings;
  return true;
}

bool cmcMemorySerial::SetModemLines(bool rts, bool dtr) {
  if (!open_) return false;
  rts_ = rts;
  dtr_ = dtr;
  return true;
}

bool cmcMemorySerial::Purge() {
  if (!open_ || purgeFails_) return false;
  input_.clear();
  output_.clear();
  ++purgeCount_;
  return true;
}

int cmcMemorySerial::Read(uint8_t* destination, int max) {
  if (!open_ || readFails_) return -1;
  const int n = std::min(max, static_cast<int>(input_.size()));
  std::copy_n(input_.begin(), n, destination);
  input_.erase(input_.begin(), input_.begin() + n);
  return n;
}

int cmcMemorySerial::Write(const uint8_t* bytes, int count) {
  if (!open_) return -1;
  writeCalls_.push_back(count);
  if (writeFails_) return -1;
  queuedAtWrite_.push_back(static_cast<int>(output_.size()));
  const int n = writeLimit_ < 0 ? count : std::min(count, writeLimit_);
  output_.insert(output_.end(), bytes, bytes + n);
  written_.insert(written_.end(), bytes, bytes + n);
  if (autoDrain_) DrainOutput();
  return n;
}

int cmcMemorySerial::InputWaiting() { return open_ && !queriesFail_ ? static_cast<int>(input_.size()) : -1; }

int cmcMemorySerial::OutputWaiting() { return open_ && !queriesFail_ ? static_cast<int>(output_.size()) : -1; }

void cmcMemorySerial::Feed(const std::vector<uint8_t>& bytes) {
  input_.insert(input_.end(), bytes.begin(), bytes.end());
}

void cmcMemorySerial::DrainOutput(int count) {
  const int n = count < 0 ? static_cast<int>(output_.size()) : std::min(count, static_cast<int>(output_.size()));
  if (loopback_) input_.insert(input_.end(), output_.begin(), output_.begin() + n);
  output_.erase(output_.begin(), output_.begin() + n);
}
