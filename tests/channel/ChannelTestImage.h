#pragma once
// Shared test images for the channel suites: a base image whose every byte is 0xA5
// (so any bit a store should leave alone is visibly 1 or 0) with valid in-use
// channels, and helpers to list the bytes that differ between two images.
#include <map>

#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace chtest {

inline constexpr uint8_t kFill = 0xA5;

inline int M(int n, int offset = 0) { return cmcImageMap::kChannelMain + cmcImageMap::kChannelMainSize * n + offset; }
inline int X(int n, int offset = 0) { return cmcImageMap::kChannelExt + cmcImageMap::kChannelExtSize * n + offset; }

// Every channel: receive and transmit 0x1AA5A5A5 Hz with the inhibit bit set, main
// byte 20 with the name-empty bit clear, not a preset channel.
inline void MakeBase(cmcEeprom& image) {
  image.SetSize(cmcEeprom::kImageSize);
  image.Fill(kFill);
  for (int n = 0; n < cmcImageMap::kChannelSlots; ++n) {
    image.SetByte(M(n, 0), 0x9A);
    image.SetByte(M(n, 4), 0x9A);
    image.SetByte(M(n, 20), 0x85);
    image.SetByte(X(n, 5), 0x25);
  }
}

// address → new value for every byte that differs.
inline std::map<int, int> Diff(const cmcEeprom& before, const cmcEeprom& after) {
  std::map<int, int> d;
  for (int a = 0; a < before.GetSize(); ++a)
    if (before.GetByte(a) != after.GetByte(a)) d[a] = after.GetByte(a);
  return d;
}

}  // namespace chtest
