#include "clone/cmcFaultSerial.h"

#include <algorithm>
#include <vector>

int cmcFaultSerial::Open(const std::string& path) { return openError_ ? openError_ : inner_.Open(path); }

int cmcFaultSerial::Write(const uint8_t* bytes, int count) {
  int offered = count;
  if (writeBudget_ >= 0) offered = static_cast<int>(std::min<int64_t>(count, writeBudget_ - writtenIndex_));
  if (offered <= 0) return 0;
  // The altered stream, and where each of its bytes came from, so the count taken
  // by the device can be told in bytes of the caller's stream.
  std::vector<uint8_t> out;
  std::vector<int> origin;
  for (int i = 0; i < offered; ++i) {
    const int64_t index = writtenIndex_ + i;
    if (dropWritten_.count(index)) continue;
    const auto corrupt = corruptWritten_.find(index);
    out.push_back(corrupt != corruptWritten_.end() ? bytes[i] ^ corrupt->second : bytes[i]);
    origin.push_back(i);
  }
  int taken = offered;
  if (!out.empty()) {
    const int n = inner_.Write(out.data(), static_cast<int>(out.size()));
    if (n < 0) return n;
    // Dropped bytes between taken ones count as taken.
    taken = n == static_cast<int>(out.size()) ? offered : origin[n];
  }
  writtenIndex_ += taken;
  return taken;
}

int cmcFaultSerial::Read(uint8_t* destination, int max) {
  const int n = inner_.Read(destination, max);
  if (n <= 0) return n;
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const int64_t index = readIndex_ + i;
    if (dropRead_.count(index)) continue;
    const auto corrupt = corruptRead_.find(index);
    destination[kept++] = corrupt != corruptRead_.end() ? destination[i] ^ corrupt->second : destination[i];
  }
  readIndex_ += n;
  return kept;
}
