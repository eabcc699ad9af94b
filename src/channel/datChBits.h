#pragma once
// Bit-field helpers for the record views: a field of n bits starting at bit lo
// (bit 0 the least significant), and big-endian 16-bit words.
#include <cstdint>

inline int datGetBits(uint8_t byte, int lo, int n) { return (byte >> lo) & ((1 << n) - 1); }

inline void datSetBits(uint8_t& byte, int lo, int n, int value) {
  const int mask = ((1 << n) - 1) << lo;
  byte = static_cast<uint8_t>((byte & ~mask) | ((value << lo) & mask));
}

inline bool datGetBit(uint8_t byte, int bit) { return ((byte >> bit) & 1) != 0; }
inline void datSetBit(uint8_t& byte, int bit, bool on) { datSetBits(byte, bit, 1, on ? 1 : 0); }

inline int datGetWord(const uint8_t* bytes) { return (bytes[0] << 8) | bytes[1]; }
inline void datSetWord(uint8_t* bytes, int value) {
  bytes[0] = static_cast<uint8_t>((value >> 8) & 0xFF);
  bytes[1] = static_cast<uint8_t>(value & 0xFF);
}
