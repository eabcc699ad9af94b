#pragma once
// Single bits and template copies of an image, for the packing and preparation code
// (words are cmcEeprom's). Addresses are trusted: they come from the fixed layout,
// never from loaded data.
#include <cstdint>

#include "image/cmcEeprom.h"

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
