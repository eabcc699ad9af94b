#include "image/cmcTextLineReader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

bool cmcTextLineReader::Fill() {
  if (pos_ < end_) return true;
  if (eof_ || failed_) return false;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_, sizeof buffer_);
    if (n > 0) {
      pos_ = 0;
      end_ = static_cast<size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      failed_ = true;
    else
      eof_ = true;
    return false;
  }
}

bool cmcTextLineReader::Next(std::string_view& piece) {
  size_t length = 0;
  bool ended = false;
  while (length < kMaxPiece && Fill()) {
    // Copy the run up to the next CR or LF in one go.
    const size_t room = std::min(end_ - pos_, kMaxPiece - length);
    const char* run = buffer_ + pos_;
    size_t n = 0;
    while (n < room && run[n] != '\n' && run[n] != '\r') ++n;
    std::memcpy(piece_ + length, run, n);
    length += n;
    pos_ += n;
    if (n == room) continue;
    char c = buffer_[pos_++];
    if (c == '\r' && Fill() && buffer_[pos_] == '\n') {
      ++pos_;
      c = '\n';
    }
    piece_[length++] = c;
    if (c == '\n') {
      ended = true;
      break;
    }
  }
  if (length == 0) return false;
  continuation_ = lineOpen_;
  lineOpen_ = !ended;
  piece = std::string_view(piece_, length);
  return true;
}
