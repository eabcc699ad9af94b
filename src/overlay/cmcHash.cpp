#include "overlay/cmcHash.h"

uint32_t cmcHashBucket(std::string_view key, uint32_t n) {
  const uint32_t half = n >> 1;
  uint32_t step = half;
  uint32_t h = 0;
  for (size_t i = 0; i < key.size(); ++i) {
    const int32_t x = static_cast<int8_t>(key[i]);
    h = 2 * h + step + static_cast<uint32_t>(x);
    // The byte after x decides whether the step halves; the terminator counts as even.
    const unsigned char after = i + 1 < key.size() ? static_cast<unsigned char>(key[i + 1]) : 0;
    if (after & 1) {
      step >>= 1;
      if (step == 0) step = half;
    }
  }
  return h % n;
}
