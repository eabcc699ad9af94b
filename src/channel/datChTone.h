#pragma once
// A channel's sub-audible tone word (2 bytes b0 b1) in unpacked form. b0 bit 7 set
// means off, bit 6 selects DTCS over CTCSS; for CTCSS b1 is the item index, for DTCS
// b0 bit 5 is the inverted polarity and b0 bit 0 with b1 the 9-bit code (DTCS 023 is
// 0o023). Bits 1–4 of b0 are not part of the tone and survive a Pack unchanged.
#include <cstdint>

class datChTone {
 public:
  bool on = false;
  bool dtcs = false;
  bool inverted = false;
  int ctcssIndex = 0;  // 0–255
  int dtcsCode = 0;    // 0–511

  void Unpack(const uint8_t* bytes);
  // Writes the tone into bytes[0..1], keeping bits 1–4 of bytes[0].
  void Pack(uint8_t* bytes) const;
  bool operator==(const datChTone&) const = default;
};
