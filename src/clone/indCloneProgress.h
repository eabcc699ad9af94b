#pragma once
// The progress display of clone reads and writes: the app draws the "Cloning" window,
// the command-line tool a text bar. The clone manager opens it when a read or write
// starts, updates it every 30 ms while the transfer runs, and closes it at completion.
class indCloneProgress {
 public:
  // The bar is drawn as this many equal segments, each with a one-pixel gap at its
  // right; segment i is filled when i < FilledSegments.
  static constexpr int kSegments = 32;

  virtual ~indCloneProgress() = default;
  virtual void Open() = 0;
  // transferred of total data bytes have moved; filled is FilledSegments of the two.
  virtual void Update(int transferred, int total, int filled) = 0;
  virtual void Close() = 0;

  // transferred x 33 / total, 0 when the total is 0: half the bytes fill 16 segments.
  static int FilledSegments(int transferred, int total) {
    return total > 0 ? static_cast<int>(static_cast<long long>(transferred) * (kSegments + 1) / total) : 0;
  }
};
