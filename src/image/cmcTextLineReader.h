#pragma once
// Reads a text file from a descriptor in pieces the way a fixed line buffer would:
// each piece ends after a line end or when kMaxPiece characters are taken, whichever
// comes first. A CR LF pair reads as a single LF, so CR LF and LF files read alike;
// a lone CR stays an ordinary character. The descriptor is not owned.
#include <cstddef>
#include <string_view>

class cmcTextLineReader {
 public:
  // A piece holds at most this many characters (a 768-byte buffer with its terminator).
  static constexpr size_t kMaxPiece = 767;

  explicit cmcTextLineReader(int fd) : fd_(fd) {}

  // The next piece, valid until the next call; false at end of file or on a read error.
  bool Next(std::string_view& piece);
  // True when the piece last returned continues a line that did not fit the one before.
  bool IsContinuation() const { return continuation_; }
  bool Failed() const { return failed_; }

 private:
  // Makes at least one unread byte available; false at end of file or on error.
  bool Fill();

  int fd_;
  char buffer_[65536];
  size_t pos_ = 0;
  size_t end_ = 0;
  bool eof_ = false;
  bool failed_ = false;
  bool continuation_ = false;
  bool lineOpen_ = false;
  char piece_[kMaxPiece + 1];
};
