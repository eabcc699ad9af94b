#include "channel/datChTone.h"

#include "channel/datChBits.h"

void datChTone::Unpack(const uint8_t* bytes) {
  on = !datGetBit(bytes[0], 7);
  dtcs = datGetBit(bytes[0], 6);
  inverted = datGetBit(bytes[0], 5);
  ctcssIndex = bytes[1];
  dtcsCode = ((bytes[0] & 1) << 8) | bytes[1];
}

void datChTone::Pack(uint8_t* bytes) const {
  uint8_t b0 = bytes[0];
  datSetBit(b0, 7, !on);
  datSetBit(b0, 6, dtcs);
  datSetBit(b0, 5, inverted);
  datSetBit(b0, 0, ((dtcsCode >> 8) & 1) != 0);
  bytes[0] = b0;
  bytes[1] = static_cast<uint8_t>(dtcs ? (dtcsCode & 0xFF) : (ctcssIndex & 0xFF));
}
