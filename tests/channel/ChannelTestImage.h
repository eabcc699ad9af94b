#pragma once
// Shared test images for the channel suites: a base image whose every byte is 0xA5
// (so any bit a store should leave alone is visibly 1 or 0) with valid in-use
// channels, and helpers to list the bytes that differ between two images.
#include <map>

#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"

namespace chtest {

inline constexpr uint8_t kFill = 0xA5;

inline int M(int n, int offset = 0) { return datChAdr::kMain + datChAdr::kMainSize * n + offset; }
inline int X(int n, int offset = 0) { return datChAdr::kExt + datChAdr::kExtSize * n + offset; }

// Every channel: receive and transmit 0x1AA5A5A5 Hz with the inhibit bit set, main
// byte 20 with the name-empty bit clear, not a preset channel.
inline void MakeBase(cmcEeprom& image) {
  image.SetSize(cmcEeprom::kImageSize);
  image.Fill(kFill);
  for (int n = 0; n < datChAdr::kChannelSlots; ++n) {
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

inline void SetWord(cmcEeprom& image, int address, int value) {
  image.SetByte(address, static_cast<uint8_t>(value >> 8));
  image.SetByte(address + 1, static_cast<uint8_t>(value & 0xFF));
}

inline int Word(const cmcEeprom& image, int address) {
  return (image.GetByte(address) << 8) | image.GetByte(address + 1);
}

}  // namespace chtest
