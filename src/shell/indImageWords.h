#pragma once
// Big-endian words and single bits of an image, for the packing and preparation code.
// Addresses are trusted: they come from the fixed layout, never from loaded data.
#include <cstdint>

#include "image/cmcEeprom.h"

inline int GetWord(const cmcEeprom& image, int address) {
  const uint8_t* d = image.Data() + address;
  return (d[0] << 8) | d[1];
}

inline void SetWord(cmcEeprom& image, int address, int value) {
  uint8_t* d = image.Data() + address;
  d[0] = static_cast<uint8_t>(value >> 8);
  d[1] = static_cast<uint8_t>(value);
}

inline bool GetBit(const cmcEeprom& image, int address, int bit) { return (image.Data()[address] >> bit) & 1; }

inline void SetBit(cmcEeprom& image, int address, int bit, bool on) {
  uint8_t& b = image.Data()[address];
  b = static_cast<uint8_t>(on ? (b | (1 << bit)) : (b & ~(1 << bit)));
}

// The bits of mask in the byte at address take the template's; the others are kept.
inline void CopyBits(cmcEeprom& image, const cmcEeprom& from, int address, uint8_t mask) {
  uint8_t& b = image.Data()[address];
  b = static_cast<uint8_t>((b & ~mask) | (from.Data()[address] & mask));
}

inline void CopyBytes(cmcEeprom& image, const cmcEeprom& from, int address, int count) {
  image.WriteBlock(address, from.Data() + address, count);
}
