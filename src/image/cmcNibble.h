#pragma once
// Nibble n of a byte array, high nibble first: nibble 0 is the high half of byte 0,
// nibble 1 its low half, nibble 2 the high half of byte 1, and so on.
#include <cstdint>

inline int GetNibble(const uint8_t* bytes, int i) {
  const uint8_t b = bytes[i / 2];
  return (i % 2 == 0) ? (b >> 4) : (b & 0x0F);
}

// Writes the low four bits of value into nibble i; the byte's other nibble is kept.
inline void SetNibble(uint8_t* bytes, int i, int value) {
  uint8_t& b = bytes[i / 2];
  const uint8_t v = static_cast<uint8_t>(value & 0x0F);
  b = (i % 2 == 0) ? static_cast<uint8_t>((b & 0x0F) | (v << 4)) : static_cast<uint8_t>((b & 0xF0) | v);
}
